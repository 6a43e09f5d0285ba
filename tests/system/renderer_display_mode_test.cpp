// The renderer's display switch, seen where the display mode can really
// change: inside a Wine virtual desktop of 800 x 600 (the test run's Xvfb
// screen has a single mode). NOTE: a virtual desktop leaves its mode list in
// the prefix, after which a full-screen switch on the plain display fails;
// these tests therefore run in a Wine session of their own.

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <tuple>

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
                                folder + "\\Velmoran.dll\" \"" + folder + "\\test_hooks.dll\"";
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

// Switched, the run shows 1024 x 768; asked to keep the screen's resolution,
// it leaves the mode alone and covers the screen at its own. Either way Esc
// ends it with 0 and the mode is as it was.
TEST_F(RendererDisplayMode, SwitchesTo1024x768OrKeepsTheModeAndRestoresItOnEsc) {
    for (const auto& [run, during, rect] : {std::tuple{"plain", "1024x768", "0,0,1024,768"},
                                            std::tuple{"kept", "800x600", "0,0,800,600"}}) {
        const std::string name(run);
        EXPECT_EQ(recorded(name + ".before"), "800x600") << name;
        EXPECT_EQ(recorded(name + ".window"), "yes") << name;
        EXPECT_EQ(recorded(name + ".during"), during) << name;
        EXPECT_EQ(recorded(name + ".window_rect"), rect) << name;
        EXPECT_EQ(recorded(name + ".exit"), "0") << name;
        EXPECT_EQ(recorded(name + ".after"), "800x600") << name;
    }
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
