// What a run writes into the hand-off folder, and what it refuses to write
// through, with the renderer stand-in so that each run is quick: the
// photograph's access list of its own user and the system, the photograph
// gone after the run, an earlier file replaced by a new one (a hard link to
// another file is not written through), and nothing written where the folder
// or a file is the wrong kind of entry or cannot be removed. Links (a
// junction or symbolic link) are checked from the shell by
// handoff_link_check.sh, since a Windows program under Wine cannot make them.
//
// NOTE: Wine enforces no access list and runs every program as one user: it
// keeps the list as the Unix file's mode and reads it back from there. So
// this shows the list the program sets, not that another user is refused.

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "program_runner.h"
#include "run_driver.h"
#include "scr_driver.h"

using namespace std::chrono_literals;
using namespace velmoran_test;

namespace {

const char kFolder[] = "C:\\velmoran-handoff";

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The user this test runs as (and so the programs it starts), as SDDL text.
std::string OwnUser() {
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    alignas(8) BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE] = {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, buffer, sizeof(buffer), &size);
    CloseHandle(token);
    char* text = nullptr;
    ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text);
    const std::string user = text != nullptr ? text : "";
    LocalFree(text);
    return user;
}

// A file's owner and access list as SDDL text, such as
// "O:S-1-5-21-...D:(A;;FA;;;SY)(A;;FA;;;S-1-5-21-...)".
std::string SecurityOf(const std::string& path) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    const DWORD result = GetNamedSecurityInfoA(
        path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
        nullptr, nullptr, nullptr, nullptr, &descriptor);
    if (result != ERROR_SUCCESS) {
        return "error " + std::to_string(result);
    }
    char* text = nullptr;
    ConvertSecurityDescriptorToStringSecurityDescriptorA(
        descriptor, SDDL_REVISION_1, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &text,
        nullptr);
    const std::string sddl = text != nullptr ? text : "";
    LocalFree(text);
    LocalFree(descriptor);
    return sddl;
}

// The access entries of an SDDL text, each "(...)" alone.
std::vector<std::string> EntriesOf(const std::string& sddl) {
    std::vector<std::string> entries;
    const std::size_t dacl = sddl.find("D:");
    for (std::size_t at = sddl.find('(', dacl);
         dacl != std::string::npos && at != std::string::npos; at = sddl.find('(', at + 1)) {
        entries.push_back(sddl.substr(at, sddl.find(')', at) - at + 1));
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

class HandoffFolder : public ::testing::Test {
protected:
    void SetUp() override {
        EndLeftoverRenderers();
        RemoveHandoffFolder();
        m_scr = InstallPrograms(kFolder, RendererKind::StandIn);
    }
    void TearDown() override {
        StopStandIn(kFolder);
        EndLeftoverRenderers();
        Sleep(100);
        UninstallPrograms(kFolder);
        RemoveHandoffFolder();
    }

    // Starts a run and waits for the stand-in's window: the run is going.
    bool StartRun(ChildProcess& scr) {
        return StartScreensaver(scr, m_scr, "/s") && WaitForRendererWindow(30s) != nullptr;
    }

    // Ends the stand-in; the run ends after it, with code 0.
    void EndRun(ChildProcess& scr) {
        StopStandIn(kFolder);
        const auto code = scr.wait_for_exit(5s);
        ASSERT_TRUE(code.has_value()) << "the run did not end after the renderer";
        EXPECT_EQ(*code, 0u);
        DeleteFileA((std::string(kFolder) + "\\Velmoran.dll.stop").c_str());
    }

    // The command line the renderer was started with, as the stand-in saw it.
    static std::string RendererCommandLine() {
        for (const std::string& line : StandInLog(kFolder)) {
            if (line.rfind("command_line=", 0) == 0) {
                return line.substr(13);
            }
        }
        return "(none)";
    }

    std::string m_scr;
};

TEST_F(HandoffFolder, ThePhotographIsItsUsersAloneAndGoneAfterTheRun) {
    // Without LOCALAPPDATA in its environment the run finds the same folder
    // through the shell.
    char local[MAX_PATH] = {};
    GetEnvironmentVariableA("LOCALAPPDATA", local, MAX_PATH);
    SetEnvironmentVariableA("LOCALAPPDATA", nullptr);
    ChildProcess scr;
    const bool started = StartRun(scr);
    SetEnvironmentVariableA("LOCALAPPDATA", local);
    ASSERT_TRUE(started);
    const std::string user = OwnUser();
    ASSERT_FALSE(user.empty());

    const std::string photograph = SecurityOf(HandoffFile(0));
    std::printf("Velmoran0.bmp: %s\n", photograph.c_str());
    EXPECT_EQ(photograph.rfind("O:" + user + "D:", 0), 0u) << photograph;
    EXPECT_EQ(EntriesOf(photograph),
              (std::vector<std::string>{"(A;;FA;;;" + user + ")", "(A;;FA;;;SY)"}));
    // The bolt pictures keep what the folder gives: everyone may read them.
    const std::string bolt = SecurityOf(HandoffFile(1));
    std::printf("Velmoran1.bmp: %s\n", bolt.c_str());
    EXPECT_NE(EntriesOf(bolt), EntriesOf(photograph));
    // The renderer, as the same user, reads the photograph as before; with
    // the photograph written and every choice off, nothing follows its path.
    EXPECT_EQ(RendererCommandLine(), "\"" + std::string(kFolder) + "\\Velmoran.dll\"");
    const auto picture = ReadBmp(HandoffFile(0));
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->width, GetSystemMetrics(SM_CXSCREEN));

    EndRun(scr);
    EXPECT_FALSE(Exists(HandoffFile(0)));
    EXPECT_EQ(HandoffFileNames(), (std::vector<std::string>{"Velmoran1.bmp", "Velmoran2.bmp"}));
}

// An earlier file is removed and a new one made: a hard link that another
// user left at a bolt picture's name keeps the file it links to unchanged.
TEST_F(HandoffFolder, AnEarlierFileIsReplacedNotWrittenThrough) {
    CreateDirectoryA(HandoffFolderPath().c_str(), nullptr);
    const std::string victim = std::string(kFolder) + "\\victim.txt";
    WriteAll(victim, "somebody else's file");
    ASSERT_TRUE(CreateHardLinkA(HandoffFile(1).c_str(), victim.c_str(), nullptr));
    WriteAll(HandoffFile(2), "an earlier run's picture");

    ChildProcess scr;
    ASSERT_TRUE(StartRun(scr));
    EXPECT_EQ(ReadAll(victim), "somebody else's file");
    for (int index = 1; index <= 2; ++index) {
        const auto bolt = ReadBmp(HandoffFile(index));
        ASSERT_TRUE(bolt.has_value()) << index;
        EXPECT_EQ(bolt->width, 256);
    }
    EndRun(scr);
    EXPECT_EQ(ReadAll(victim), "somebody else's file");
    DeleteFileA(victim.c_str());
}

// Where the folder or a file is not what it should be, or a file cannot be
// removed, nothing is written there; the run goes on and ends as usual, and
// the renderer learns that there is no photograph of this run.
TEST_F(HandoffFolder, NothingIsWrittenWhereTheWrongEntryStands) {
    struct Case {
        const char* name;
        void (*plant)();
        void (*check)();
    };
    const Case cases[] = {
        {"a file where the folder should be", [] { WriteAll(HandoffFolderPath(), "not a folder"); },
         [] {
             EXPECT_EQ(ReadAll(HandoffFolderPath()), "not a folder");
             EXPECT_EQ(GetFileAttributesA(HandoffFolderPath().c_str()) & FILE_ATTRIBUTE_DIRECTORY,
                       0u);
         }},
        {"a folder where the photograph should be",
         [] {
             CreateDirectoryA(HandoffFolderPath().c_str(), nullptr);
             CreateDirectoryA(HandoffFile(0).c_str(), nullptr);
         },
         [] {
             EXPECT_NE(GetFileAttributesA(HandoffFile(0).c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
             EXPECT_TRUE(ReadBmp(HandoffFile(1)).has_value()); // the others are written
         }},
        {"a photograph left behind that cannot be removed",
         [] {
             CreateDirectoryA(HandoffFolderPath().c_str(), nullptr);
             WriteAll(HandoffFile(0), "left behind");
             SetFileAttributesA(HandoffFile(0).c_str(), FILE_ATTRIBUTE_READONLY);
         },
         [] { EXPECT_EQ(ReadAll(HandoffFile(0)), "left behind"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RemoveHandoffFolder();
        c.plant();
        ChildProcess scr;
        ASSERT_TRUE(StartRun(scr)) << "the run did not go on";
        c.check();
        // No photograph of this run: the renderer is told not to read one.
        EXPECT_TRUE(RendererCommandLine().ends_with(" /no-photograph")) << RendererCommandLine();
        EndRun(scr);
        c.check();
        if (std::string(c.name) == "a folder where the photograph should be") {
            RemoveDirectoryA(HandoffFile(0).c_str());
        }
    }
}

} // namespace
