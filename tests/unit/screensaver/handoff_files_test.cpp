// Where the hand-off folder is and how its files are written, read and
// removed: what stands at the folder's and the file's path decides whether a
// file is made, replaced, read or left alone; who may read each image; and
// whether an opened file is the one that was asked for.

#include "handoff_files.h"
#include "monitor_pictures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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
        EXPECT_EQ(IsPlainHandoffFile(c.folder, c.file), c.removable);
    }
}

TEST(HandoffFiles, OnlyThePhotographsArePrivate) {
    const HandoffAccess own = HandoffAccess::OwnUserAndSystem;
    const HandoffAccess folder = HandoffAccess::AsTheFolderGives;
    const HandoffAccess expected[] = {own, folder, folder, own, own};
    for (int index = 0; index < 5; ++index) {
        EXPECT_EQ(HandoffAccessOf(index), expected[index]) << index;
    }
    EXPECT_EQ(HandoffAccessOf(kLastMonitorPicture), own);
    EXPECT_EQ(HandoffAccessOf(kLastMonitorPicture + 1), folder);
}

// Both programs number the monitors' pictures alike: the primary first,
// then the others from left to right and top to bottom, sixteen at most.
TEST(HandoffFiles, MonitorsGetTheirPicturesInOneOrder) {
    const MonitorPlace primary{0, 0, 1024, 768, true, "\\\\.\\DISPLAY1"};
    const MonitorPlace right{1024, 0, 2304, 1024, false, "\\\\.\\DISPLAY2"};
    const MonitorPlace left{-800, 100, 0, 700, false, "\\\\.\\DISPLAY3"};
    const MonitorPlace below_left{-800, 700, 0, 1300, false, "\\\\.\\DISPLAY4"};
    const MonitorPlace empty{5000, 0, 5000, 768, false, "\\\\.\\DISPLAY5"};
    EXPECT_EQ(SceneMonitors({right, below_left, primary, empty, left}),
              (std::vector<MonitorPlace>{primary, left, below_left, right}));
    // Unmarked: the one that holds (0, 0) is the primary; else the first.
    MonitorPlace unmarked = primary;
    unmarked.primary = false;
    EXPECT_EQ(SceneMonitors({right, unmarked}).front(), unmarked);
    EXPECT_EQ(SceneMonitors({right, left}).front(), right);
    EXPECT_TRUE(SceneMonitors({}).empty());
    std::vector<MonitorPlace> many(20, right);
    many.push_back(primary);
    const auto kept = SceneMonitors(many);
    ASSERT_EQ(kept.size(), 16u);
    EXPECT_EQ(kept.front(), primary);
    EXPECT_EQ(MonitorPictureIndex(0), 0);
    EXPECT_EQ(MonitorPictureIndex(1), 3);
    EXPECT_EQ(MonitorPictureIndex(15), kLastMonitorPicture);
}

TEST(HandoffFiles, TheFolderIsTheUsersOwnUnderLocalApplicationData) {
    const struct {
        const wchar_t* local_app_data;
        const wchar_t* folder; // nullptr: none
    } cases[] = {
        {L"C:\\Users\\ann\\AppData\\Local", L"C:\\Users\\ann\\AppData\\Local\\Velmoran"},
        {L"D:\\Profiles\\テスト\\", L"D:\\Profiles\\テスト\\Velmoran"},
        {L"\\\\server\\home\\ann", L"\\\\server\\home\\ann\\Velmoran"},
        // Nothing that would land in whatever folder is current.
        {L"", nullptr},
        {L"AppData\\Local", nullptr},
        {L"C:AppData", nullptr},
        {L"\\AppData", nullptr},
    };
    for (const auto& c : cases) {
        const auto folder = HandoffFolderIn(c.local_app_data);
        EXPECT_EQ(folder.has_value(), c.folder != nullptr);
        if (folder && c.folder) {
            EXPECT_EQ(*folder, c.folder);
        }
    }
}

TEST(HandoffFiles, AnOpenedFileIsTheOneAskedForOnlyWhenItsFinalPathNamesIt) {
    const wchar_t* const wanted = L"C:\\Users\\ann\\AppData\\Local\\Velmoran\\Velmoran0.bmp";
    const struct {
        const wchar_t* final_path;
        bool same;
    } cases[] = {
        {L"\\\\?\\C:\\Users\\ann\\AppData\\Local\\Velmoran\\Velmoran0.bmp", true},
        {L"C:\\Users\\ann\\AppData\\Local\\Velmoran\\Velmoran0.bmp", true},
        {L"\\\\?\\c:\\USERS\\ANN\\appdata\\local\\velmoran\\velmoran0.BMP", true},
        // Through a junction or a link: the file lies elsewhere.
        {L"\\\\?\\C:\\Users\\bob\\AppData\\Local\\Velmoran\\Velmoran0.bmp", false},
        {L"\\\\?\\UNC\\server\\Velmoran\\Velmoran0.bmp", false},
        {L"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsFinalPathOf(c.final_path, wanted), c.same);
    }
    EXPECT_TRUE(IsFinalPathOf(L"\\\\?\\UNC\\server\\home\\x", L"\\\\server\\home\\x"));
    EXPECT_FALSE(IsFinalPathOf(L"\\\\?\\", L""));
}

} // namespace
