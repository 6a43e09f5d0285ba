// The renderer's display switch, seen where the display mode can really
// change: inside a Wine virtual desktop of 800 x 600 (the test run's Xvfb
// screen has a single mode). NOTE: a virtual desktop leaves its mode list in
// the prefix, after which a full-screen switch on the plain display fails;
// these tests therefore run in a Wine session of their own.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>

#include "program_runner.h"

using namespace std::chrono_literals;
using namespace velmoran_test;

namespace {

// Runs display_mode_probe inside a Wine virtual desktop of 800 x 600 (one
// desktop start for both runs: it costs seconds) and returns what it recorded.
std::map<std::string, std::string> run_probe_in_switchable_desktop() {
    const std::string folder = program_folder();
    const std::string result = folder + "\\display_mode_probe.txt";
    DeleteFileA(result.c_str());
    const std::string command = "C:\\windows\\explorer.exe /desktop=velmoran_modes,800x600 \"" +
                                folder + "\\display_mode_probe.exe\" \"" + result + "\" \"" +
                                folder + "\\Velmoran.dll\" \"" + folder +
                                "\\refuse_window_hook.dll\"";
    ChildProcess explorer;
    EXPECT_TRUE(explorer.start("", command));

    // NOTE: Wine's desktop process lingers about ten seconds after its
    // program has ended; it is not under test, so it is ended once the
    // probe's record is complete.
    std::map<std::string, std::string> values;
    EXPECT_TRUE(wait_until(
        [&] {
            values.clear();
            std::ifstream in(result);
            for (std::string line; std::getline(in, line);) {
                const auto equals = line.find('=');
                if (equals != std::string::npos) {
                    values[line.substr(0, equals)] = line.substr(equals + 1);
                }
            }
            return values.count("done") != 0;
        },
        60s, 50ms));
    explorer.terminate();
    DeleteFileA(result.c_str());
    return values;
}

class RendererDisplayMode : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_record = run_probe_in_switchable_desktop(); }
    static std::string recorded(const std::string& key) { return s_record[key]; }

private:
    static inline std::map<std::string, std::string> s_record;
};

} // namespace

TEST_F(RendererDisplayMode, SwitchesTo1024x768AndRestoresTheModeBeforeOnEsc) {
    EXPECT_EQ(recorded("plain.before"), "800x600");
    EXPECT_EQ(recorded("plain.window"), "yes");
    EXPECT_EQ(recorded("plain.during"), "1024x768");
    EXPECT_EQ(recorded("plain.window_rect"), "0,0,1024,768");
    EXPECT_EQ(recorded("plain.exit"), "0");
    EXPECT_EQ(recorded("plain.after"), "800x600");
}

// Asked to keep the screen's resolution, the renderer leaves the mode alone
// and covers the whole screen at its own resolution.
TEST_F(RendererDisplayMode, KeepsTheResolutionWhenAskedAndCoversTheScreen) {
    EXPECT_EQ(recorded("kept.window"), "yes");
    EXPECT_EQ(recorded("kept.during"), "800x600");
    EXPECT_EQ(recorded("kept.window_rect"), "0,0,800,600");
    EXPECT_EQ(recorded("kept.exit"), "0");
    EXPECT_EQ(recorded("kept.after"), "800x600");
}

// When its window cannot be created the renderer ends with exit code 1, and
// gives back the display mode it had already switched.
TEST_F(RendererDisplayMode, FailedWindowCreationEndsWithCodeOneAndRestoresTheMode) {
    ASSERT_EQ(recorded("refused.hook"), "installed");
    EXPECT_EQ(recorded("refused.before"), "800x600");
    EXPECT_EQ(recorded("refused.window"), "no");
    EXPECT_EQ(recorded("refused.exit"), "1");
    EXPECT_EQ(recorded("refused.after"), "800x600");
}
