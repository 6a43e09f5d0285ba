// How hand-off files are written and removed: what stands at the folder's
// and the file's path decides whether a file is made, replaced or left
// alone; who may read each image; and whether an opened file is the one that
// was asked for.

#include "handoff_files.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* NameOf(PathEntry entry) {
    switch (entry) {
    case PathEntry::Missing:
        return "missing";
    case PathEntry::File:
        return "file";
    case PathEntry::Folder:
        return "folder";
    case PathEntry::Link:
        return "link";
    case PathEntry::Unknown:
        return "unknown";
    }
    return "?";
}

TEST(HandoffFiles, WhatStandsAtThePathsDecidesTheWrite) {
    using E = PathEntry;
    using W = HandoffWrite;
    const struct {
        E folder;
        E file;
        W write;
        bool removable;
    } cases[] = {
        {E::Folder, E::Missing, W::Create, false},
        {E::Folder, E::File, W::RemoveThenCreate, true},
        {E::Folder, E::Folder, W::Refuse, false}, // a folder where the file should be
        {E::Folder, E::Link, W::Refuse, false},   // a link where the file should be
        {E::Folder, E::Unknown, W::Refuse, false},
        {E::Link, E::Missing, W::Refuse, false}, // the folder is a junction
        {E::Link, E::File, W::Refuse, false},
        {E::File, E::Missing, W::Refuse, false}, // a file where the folder should be
        {E::Missing, E::Missing, W::Refuse, false},
        {E::Unknown, E::File, W::Refuse, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("folder ") + NameOf(c.folder) + ", file " + NameOf(c.file));
        EXPECT_EQ(HandoffWriteFor(c.folder, c.file), c.write);
        EXPECT_EQ(MayRemoveHandoffFile(c.folder, c.file), c.removable);
    }
}

TEST(HandoffFiles, OnlyThePhotographIsPrivate) {
    EXPECT_EQ(HandoffAccessOf(0), HandoffAccess::OwnUserAndSystem);
    EXPECT_EQ(HandoffAccessOf(1), HandoffAccess::AsTheFolderGives);
    EXPECT_EQ(HandoffAccessOf(2), HandoffAccess::AsTheFolderGives);
}

TEST(HandoffFiles, AnOpenedFileIsTheOneAskedForOnlyWhenItsFinalPathNamesIt) {
    const char* const wanted = "C:\\q_velk\\Velmoran0.bmp";
    const struct {
        const char* final_path;
        bool same;
    } cases[] = {
        {"\\\\?\\C:\\q_velk\\Velmoran0.bmp", true},
        {"C:\\q_velk\\Velmoran0.bmp", true},
        {"\\\\?\\c:\\Q_VELK\\velmoran0.BMP", true},
        // Through a junction or a link: the file lies elsewhere.
        {"\\\\?\\C:\\Users\\victim\\Velmoran0.bmp", false},
        {"\\\\?\\C:\\q_velk\\target.txt", false},
        {"\\\\?\\C:\\q_velk\\Velmoran0.bmp.lnk", false},
        {"\\\\?\\UNC\\server\\q_velk\\Velmoran0.bmp", false},
        {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsFinalPathOf(c.final_path, wanted), c.same) << c.final_path;
    }
    EXPECT_FALSE(IsFinalPathOf("\\\\?\\", ""));
}

} // namespace
