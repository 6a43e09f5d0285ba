#include "startup_steps.h"

#include <gtest/gtest.h>

#include <new>
#include <set>
#include <string>
#include <vector>

namespace {

// A platform that records what the start-up did to it.
struct FakePlatform {
    std::set<std::string> windows;
    bool renderer_present = true;
    std::vector<std::string> calls;

    StartupServices services() {
        StartupServices s;
        s.window_exists = [this](const char* title) {
            calls.push_back(std::string("find ") + title);
            return windows.count(title) > 0;
        };
        s.create_handoff_folder = [this] { calls.push_back("create folder"); };
        s.load_music_settings = [this] { calls.push_back("load settings"); };
        s.file_exists = [this](const std::string& path) {
            calls.push_back("exists " + path);
            return renderer_present;
        };
        s.show_missing_renderer_message = [this] { calls.push_back("message"); };
        s.hide_cursor = [this] { calls.push_back("hide cursor"); };
        s.program_folder = "C:\\Saver";
        return s;
    }
};

StartRequest Request(const char* arguments) {
    return ReadStartRequest(arguments, runtime::NoLeadBytes);
}

const std::vector<std::string> kSearches = {"find Velmoran_Main", "find <Velmoran>"};

std::vector<std::string> Then(std::vector<std::string> rest) {
    std::vector<std::string> all = kSearches;
    all.insert(all.end(), rest.begin(), rest.end());
    return all;
}

TEST(StartupSteps, RunHidesTheCursorOnlyForTheLetterS) {
    FakePlatform platform;
    EXPECT_EQ(RunStartupSteps(Request("/s"), platform.services()), StartupOutcome::RunWindow);
    EXPECT_EQ(platform.calls, Then({"create folder", "load settings",
                                    "exists C:\\Saver\\Velmoran.dll", "hide cursor"}));

    FakePlatform empty;
    EXPECT_EQ(RunStartupSteps(Request(""), empty.services()), StartupOutcome::RunWindow);
    EXPECT_EQ(empty.calls,
              Then({"create folder", "load settings", "exists C:\\Saver\\Velmoran.dll"}));
}

// A start-up step that throws (memory that cannot be had) is skipped, and
// the run still starts.
TEST(StartupSteps, AStepThatThrowsIsSkipped) {
    FakePlatform platform;
    StartupServices services = platform.services();
    services.create_handoff_folder = [&] {
        platform.calls.push_back("create folder threw");
        throw std::bad_alloc();
    };
    services.load_music_settings = [&] {
        platform.calls.push_back("load settings threw");
        throw std::bad_alloc();
    };
    EXPECT_EQ(RunStartupSteps(Request("/s"), services), StartupOutcome::RunWindow);
    EXPECT_EQ(platform.calls, Then({"create folder threw", "load settings threw",
                                    "exists C:\\Saver\\Velmoran.dll", "hide cursor"}));
}

TEST(StartupSteps, ConfigureGoesToTheDialogAfterTheSameSteps) {
    FakePlatform platform;
    EXPECT_EQ(RunStartupSteps(Request("/c:1234"), platform.services()),
              StartupOutcome::SettingsDialog);
    EXPECT_EQ(platform.calls,
              Then({"create folder", "load settings", "exists C:\\Saver\\Velmoran.dll"}));
}

TEST(StartupSteps, MissingRendererShowsTheMessageAndEndsInRunAndConfigure) {
    for (const char* arguments : {"/s", "/c", ""}) {
        FakePlatform platform;
        platform.renderer_present = false;
        EXPECT_EQ(RunStartupSteps(Request(arguments), platform.services()), StartupOutcome::End)
            << arguments;
        EXPECT_EQ(platform.calls, Then({"create folder", "load settings",
                                        "exists C:\\Saver\\Velmoran.dll", "message"}))
            << arguments;
    }
}

TEST(StartupSteps, PreviewTouchesNothingAndNeverTestsForTheRenderer) {
    FakePlatform platform;
    platform.renderer_present = false;
    EXPECT_EQ(RunStartupSteps(Request("/p 1234"), platform.services()), StartupOutcome::Preview);
    EXPECT_EQ(platform.calls, kSearches);
}

TEST(StartupSteps, AnUnknownModeEndsAtOnceAndTouchesNothing) {
    for (const char* arguments : {"/a", "x", "/x"}) {
        FakePlatform platform;
        platform.renderer_present = false;
        EXPECT_EQ(RunStartupSteps(Request(arguments), platform.services()), StartupOutcome::End);
        EXPECT_EQ(platform.calls, kSearches) << arguments;
    }
}

TEST(StartupSteps, ARunOrDialogInProgressEndsEveryModeAtOnce) {
    for (const char* title : {"Velmoran_Main", "<Velmoran>"}) {
        for (const char* arguments : {"/s", "/c", "/p 1234", "", "/a"}) {
            FakePlatform platform;
            platform.windows.insert(title);
            platform.renderer_present = false;
            EXPECT_EQ(RunStartupSteps(Request(arguments), platform.services()), StartupOutcome::End)
                << title << ' ' << arguments;
            // Both searches are made, and nothing else.
            EXPECT_EQ(platform.calls, kSearches) << title << ' ' << arguments;
        }
    }
}

} // namespace
