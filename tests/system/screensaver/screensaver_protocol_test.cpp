// The protocol between Velmoran.scr and the renderer at its edges: how the
// renderer is started (from a folder whose name has blanks, too), that
// nothing is ever sent to it, a close message to the run window, another
// program's window with the renderer's title, a renderer whose window comes
// late, and a renderer that cannot be started.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "program_runner.h"
#include "run_driver.h"
#include "scr_driver.h"

using namespace std::chrono_literals;
using namespace velmoran_test;

namespace {

// Lines of the stand-in's log that report a message from another thread.
std::vector<std::string> ForeignMessages(const std::vector<std::string>& log) {
    std::vector<std::string> foreign;
    std::copy_if(log.begin(), log.end(), std::back_inserter(foreign),
                 [](const std::string& line) { return line.rfind("foreign=", 0) == 0; });
    return foreign;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class Protocol : public ::testing::Test {
protected:
    void SetUp() override {
        EndLeftoverRenderers();
        RemoveHandoffFolder();
    }
    void TearDown() override {
        for (const std::string& folder : m_folders) {
            StopStandIn(folder);
        }
        EndLeftoverRenderers();
        Sleep(100); // the stand-in sees its stop file within 20 ms
        for (const std::string& folder : m_folders) {
            UninstallPrograms(folder);
        }
        RemoveHandoffFolder();
    }

    std::string Install(const std::string& folder, RendererKind renderer) {
        m_folders.push_back(folder);
        return InstallPrograms(folder, renderer);
    }

    std::vector<std::string> m_folders;
};

// NOTE: with a program folder of "C:\Program Files\..." an unquoted command
// line without the program named apart lets the platform try "C:\Program"
// first, and it starts C:\Program.exe when there is one.
TEST_F(Protocol, TheRendererInAFolderWithBlanksIsStartedByItsQuotedPathAlone) {
    const std::string folder = "C:\\Program Files\\Velmoran Test";
    const std::string scr = Install(folder, RendererKind::StandIn);
    const std::string stray = "C:\\Program.exe";
    ASSERT_TRUE(
        CopyFileA((program_folder() + "\\renderer_stand_in.exe").c_str(), stray.c_str(), FALSE));
    struct RemoveStray {
        std::string path;
        ~RemoveStray() {
            DeleteFileA(path.c_str());
            DeleteFileA((path + ".started").c_str());
        }
    } remove_stray{stray};

    // The trap is real: the path unquoted, with no program named, starts it.
    {
        ChildProcess careless;
        ASSERT_TRUE(careless.start("", folder + "\\Velmoran.dll"));
        careless.wait_for_exit(10s);
        ASSERT_TRUE(FileExists(stray + ".started")) << "this platform would not fall for it";
        DeleteFileA((stray + ".started").c_str());
    }

    ChildProcess process;
    ASSERT_TRUE(StartScreensaver(process, scr, "/s"));
    HWND renderer = WaitForRendererWindow(30s);
    ASSERT_NE(renderer, nullptr) << (FileExists(stray + ".started")
                                         ? "C:\\Program.exe was started instead of the renderer"
                                         : "no renderer window");
    WindowProcess stand_in(renderer);
    EXPECT_EQ(stand_in.image_path(), folder + "\\Velmoran.dll");
    ASSERT_TRUE(wait_until([&] { return Contains(StandInLog(folder), "window=made"); }, 5s));
    const auto log = StandInLog(folder);
    // Its whole command line is its quoted path: no arguments.
    EXPECT_TRUE(Contains(log, "command_line=\"" + folder + "\\Velmoran.dll\"")) << log.front();
    EXPECT_TRUE(Contains(log, "show=1")); // SW_SHOWNORMAL
    EXPECT_FALSE(FileExists(stray + ".started"));

    // The renderer ends; the run follows.
    StopStandIn(folder);
    const auto code = stand_in.wait_for_exit(5s);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    const auto scr_code = process.wait_for_exit(3s);
    ASSERT_TRUE(scr_code.has_value());
    EXPECT_EQ(*scr_code, 0u);
    EXPECT_EQ(ForeignMessages(StandInLog(folder)), std::vector<std::string>{});
}

// A close message to the run window ends the run; the renderer runs on,
// untouched, until the user ends it, and the screensaver program takes the
// photograph away only once the renderer's window has gone, then ends.
TEST_F(Protocol, ACloseMessageToTheRunWindowEndsTheRunWhileTheRendererRunsOn) {
    const std::string folder = "C:\\velmoran-protocol";
    const std::string scr = Install(folder, RendererKind::StandIn);
    ChildProcess process;
    ASSERT_TRUE(StartScreensaver(process, scr, "/s"));
    HWND renderer = WaitForRendererWindow(30s);
    ASSERT_NE(renderer, nullptr);
    WindowProcess stand_in(renderer);
    HWND run_window = FindWindowA(nullptr, "Velmoran_Main");
    ASSERT_NE(run_window, nullptr);

    PostMessageA(run_window, WM_CLOSE, 0, 0);
    // A while later the renderer is still there, nothing reached it, and its
    // photograph is still there for it.
    Sleep(1200);
    EXPECT_TRUE(stand_in.running());
    EXPECT_TRUE(IsWindow(renderer));
    EXPECT_EQ(ForeignMessages(StandInLog(folder)), std::vector<std::string>{});
    EXPECT_TRUE(FileExists(HandoffFile(0)));
    EXPECT_TRUE(process.running()) << "the program ended before the renderer's window went";
    // What another program sends or posts does show in the log.
    PostMessageA(renderer, WM_APP + 7, 0, 0);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(renderer, WM_APP + 8, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
    // (A sent message overtakes a posted one.)
    const std::vector<std::string> expected{"foreign=0x8007 posted", "foreign=0x8008 sent"};
    EXPECT_TRUE(wait_until(
        [&] {
            auto seen = ForeignMessages(StandInLog(folder));
            std::sort(seen.begin(), seen.end());
            return seen == expected;
        },
        2s))
        << "the stand-in does not see what reaches it: "
        << testing::PrintToString(StandInLog(folder));
    // It ends only by its own stop, with its own code; the program follows.
    StopStandIn(folder);
    const auto code = stand_in.wait_for_exit(5s);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    EXPECT_TRUE(Contains(StandInLog(folder), "stopped"));
    const auto scr_code = process.wait_for_exit(3s);
    ASSERT_TRUE(scr_code.has_value()) << "the program did not end after the renderer";
    EXPECT_EQ(*scr_code, 0u);
    EXPECT_EQ(FindWindowA(nullptr, "Velmoran_Main"), nullptr);
    EXPECT_EQ(HandoffFileNames(), (std::vector<std::string>{"Velmoran1.bmp", "Velmoran2.bmp"}));
}

TEST_F(Protocol, ACloseMessageToTheRunWindowLeavesTheRealRendererRunning) {
    const std::string folder = "C:\\velmoran-protocol";
    const std::string scr = Install(folder, RendererKind::Real);
    ChildProcess process;
    ASSERT_TRUE(StartScreensaver(process, scr, "/s"));
    HWND renderer = WaitForRendererWindow(30s);
    ASSERT_NE(renderer, nullptr);
    WindowProcess real(renderer);

    PostMessageA(FindWindowA(nullptr, "Velmoran_Main"), WM_CLOSE, 0, 0);
    Sleep(1200);
    EXPECT_TRUE(real.running());
    EXPECT_TRUE(IsWindow(renderer));
    PressEscape(renderer);
    const auto code = real.wait_for_exit(5s);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    const auto scr_code = process.wait_for_exit(3s);
    ASSERT_TRUE(scr_code.has_value());
    EXPECT_EQ(*scr_code, 0u);
    EXPECT_FALSE(FileExists(HandoffFile(0)));
}

// A renderer slow to show its window (a large screen, a slow disk): its
// process runs, so the watch waits for the window; once seen, the run ends
// when it goes.
TEST_F(Protocol, ARendererWhoseWindowComesTwoSecondsLateKeepsTheRun) {
    const std::string folder = "C:\\velmoran-protocol";
    const std::string scr = Install(folder, RendererKind::StandIn);
    DelayStandInWindow(folder, 2000);
    ChildProcess process;
    ASSERT_TRUE(StartScreensaver(process, scr, "/s"));
    ASSERT_TRUE(wait_until([&] { return Contains(StandInLog(folder), "delay=2000"); }, 30s))
        << "the stand-in did not start";
    // Three looks of the watch, no window yet: the run goes on.
    Sleep(1500);
    ASSERT_EQ(FindRendererWindow(), nullptr) << "the window came too early to tell";
    EXPECT_TRUE(process.running()) << "the run ended before the renderer's window came";
    EXPECT_NE(FindWindowA(nullptr, "Velmoran_Main"), nullptr);

    HWND renderer = WaitForRendererWindow(5s);
    ASSERT_NE(renderer, nullptr);
    WindowProcess stand_in(renderer);
    Sleep(1200); // more looks, now with the window there
    EXPECT_TRUE(process.running());
    StopStandIn(folder);
    ASSERT_TRUE(wait_until([&] { return !IsWindow(renderer); }, 5s));
    const auto window_gone = std::chrono::steady_clock::now();
    const auto scr_code = process.wait_for_exit(3s);
    const auto after = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - window_gone);
    ASSERT_TRUE(scr_code.has_value()) << "the run did not end when the window went";
    EXPECT_EQ(*scr_code, 0u);
    std::printf("Velmoran.scr ended %lld ms after the late window went\n",
                static_cast<long long>(after.count()));
    // The watch looks every 500 ms; the rest is slack for a busy machine.
    EXPECT_LT(after, 1200ms);
}

// The watch looks for the title alone: another program's window of that
// title keeps the run going after the renderer has ended.
TEST_F(Protocol, AnotherWindowWithTheRendererTitleKeepsTheRunAliveUntilItCloses) {
    const std::string folder = "C:\\velmoran-protocol";
    const std::string scr = Install(folder, RendererKind::Real);
    auto foreign = std::make_unique<TitledWindow>("Velmoran_VC");
    ChildProcess process;
    ASSERT_TRUE(StartScreensaver(process, scr, "/s"));
    HWND renderer = WaitForRendererWindow(30s);
    ASSERT_NE(renderer, nullptr);
    WindowProcess real(renderer);
    PressEscape(renderer);
    const auto code = real.wait_for_exit(5s);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);

    // Three looks later the run still goes on.
    EXPECT_FALSE(process.wait_for_exit(1600ms).has_value());
    foreign.reset();
    const auto scr_code = process.wait_for_exit(2s);
    ASSERT_TRUE(scr_code.has_value()) << "the run did not end when the window closed";
    EXPECT_EQ(*scr_code, 0u);
}

// A renderer file that is still there for the start-up's test but cannot be
// started: the run ends by itself at the first look, without a message.
TEST_F(Protocol, ARendererThatIsNoProgramEndsTheRunAtTheFirstLook) {
    const std::string folder = "C:\\velmoran-protocol";
    const std::string scr = Install(folder, RendererKind::None);
    HANDLE file = CreateFileA((folder + "\\Velmoran.dll").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "not a program\r\n", 15, &written, nullptr);
    CloseHandle(file);

    ChildProcess process;
    ASSERT_TRUE(StartScreensaver(process, scr, "/s"));
    bool message = false;
    const bool ended = wait_until(
        [&] {
            message |= FindMessageBox(process.id()) != nullptr;
            return !process.running();
        },
        10s);
    ASSERT_TRUE(ended);
    EXPECT_FALSE(message);
    EXPECT_EQ(*process.wait_for_exit(0ms), 0u);
    // The images were written all the same; the run's end took the photograph.
    EXPECT_EQ(HandoffFileNames(), (std::vector<std::string>{"Velmoran1.bmp", "Velmoran2.bmp"}));
}

// The renderer file deleted after the start-up has found it, while the run
// window writes the images: the launch fails, and the first look ends the
// run without a message. NOTE: the deletion races with the launch, which
// comes a few milliseconds after the first image; a run where the launch
// won is ended and the race run again.
TEST_F(Protocol, ARendererDeletedBeforeTheLaunchEndsTheRunAtTheFirstLook) {
    const std::string folder = "C:\\velmoran-protocol";
    bool deleted_in_time = false;
    for (int attempt = 0; attempt < 6 && !deleted_in_time; ++attempt) {
        RemoveHandoffFolder();
        const std::string scr = Install(folder, RendererKind::Real);
        CreateDirectoryA(HandoffFolderPath().c_str(), nullptr);
        HANDLE change = FindFirstChangeNotificationA(HandoffFolderPath().c_str(), FALSE,
                                                     FILE_NOTIFY_CHANGE_FILE_NAME);
        ASSERT_NE(change, INVALID_HANDLE_VALUE);
        ChildProcess process;
        ASSERT_TRUE(StartScreensaver(process, scr, "/s"));
        const bool first_image = WaitForSingleObject(change, 30'000) == WAIT_OBJECT_0;
        const bool deleted = DeleteFileA((folder + "\\Velmoran.dll").c_str()) != FALSE;
        FindCloseChangeNotification(change);
        ASSERT_TRUE(first_image) << "no image was written";

        bool message = false;
        bool renderer_seen = false;
        wait_until(
            [&] {
                message |= FindMessageBox(process.id()) != nullptr;
                renderer_seen |= FindRendererWindow() != nullptr;
                return !process.running() || renderer_seen;
            },
            10s);
        if (!deleted || renderer_seen) {
            // The launch came first; end that run and try again.
            process.terminate();
            EndLeftoverRenderers();
            continue;
        }
        deleted_in_time = true;
        std::printf("the deletion came before the launch in run %d\n", attempt + 1);
        ASSERT_FALSE(process.running()) << "the run did not end by itself";
        EXPECT_FALSE(message);
        EXPECT_EQ(*process.wait_for_exit(0ms), 0u);
    }
    EXPECT_TRUE(deleted_in_time) << "the deletion never came before the launch";
}

} // namespace
