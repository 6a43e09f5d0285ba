#include "monitor_covers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct CoverCase {
    std::string name;
    std::vector<MonitorArea> monitors;
    std::vector<ScreenRect> covers;
};

constexpr ScreenRect kPrimary{0, 0, 1024, 768};

std::vector<CoverCase> cover_cases() {
    return {
        {"NoMonitorAtAll", {}, {}},
        {"OneMonitorGetsNoCover", {{kPrimary, true}}, {}},
        {"SecondMonitorRightOfThePrimary",
         {{kPrimary, true}, {{1024, 0, 2048, 768}, false}},
         {{1024, 0, 2048, 768}}},
        {"PrimaryListedLast",
         {{{1024, 0, 2048, 768}, false}, {kPrimary, true}},
         {{1024, 0, 2048, 768}}},
        {"MonitorsLeftOfAndAboveThePrimaryHaveNegativeEdges",
         {{{-1280, -200, 0, 824}, false},
          {kPrimary, true},
          {{0, -1080, 1920, 0}, false},
          {{1024, 100, 2624, 1300}, false}},
         {{-1280, -200, 0, 824}, {0, -1080, 1920, 0}, {1024, 100, 2624, 1300}}},
        {"PrimaryNotAtTheOriginStillDecides",
         {{{-1024, 0, 0, 768}, false}, {{0, 0, 1920, 1080}, true}},
         {{-1024, 0, 0, 768}}},
        {"MirrorOfThePrimaryStaysUncovered",
         {{kPrimary, true}, {kPrimary, false}, {{1024, 0, 2048, 768}, false}},
         {{1024, 0, 2048, 768}}},
        {"LargerMirrorIsCoveredOnlyOutsideThePrimary",
         {{kPrimary, true}, {{0, 0, 1280, 1024}, false}},
         {{0, 768, 1280, 1024}, {1024, 0, 1280, 768}}},
        {"OverlapOnTheLeftLeavesTheBandLeftOfThePrimary",
         {{kPrimary, true}, {{-800, 100, 200, 700}, false}},
         {{-800, 100, 0, 700}}},
        {"PrimaryInsideAMonitorLeavesFourBands",
         {{{100, 100, 300, 300}, true}, {{0, 0, 400, 400}, false}},
         {{0, 0, 400, 100}, {0, 300, 400, 400}, {0, 100, 100, 300}, {300, 100, 400, 300}}},
        {"TwoMonitorsShowingTheSameAreaGetOneCover",
         {{kPrimary, true}, {{1024, 0, 2048, 768}, false}, {{1024, 0, 2048, 768}, false}},
         {{1024, 0, 2048, 768}}},
        {"EmptyMonitorRectangleGetsNoCover",
         {{kPrimary, true}, {{1024, 0, 1024, 768}, false}, {{1024, 0, 2048, 0}, false}},
         {}},
        {"UnmarkedPrimaryIsTheMonitorAtTheOrigin",
         {{{1024, 0, 2048, 768}, false}, {kPrimary, false}},
         {{1024, 0, 2048, 768}}},
        {"NoPrimaryFoundCoversNothing",
         {{{1024, 0, 2048, 768}, false}, {{2048, 0, 3072, 768}, false}},
         {}},
    };
}

class CoverRects : public ::testing::TestWithParam<CoverCase> {};

TEST_P(CoverRects, EveryMonitorButThePrimary) {
    const CoverCase& c = GetParam();
    const std::vector<ScreenRect> covers = cover_rects(c.monitors);
    ASSERT_EQ(covers.size(), c.covers.size());
    for (std::size_t i = 0; i < covers.size(); ++i) {
        const ScreenRect& got = covers[i];
        EXPECT_EQ(got, c.covers[i]) << "cover " << i << " is (" << got.left << ", " << got.top
                                    << ")-(" << got.right << ", " << got.bottom << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(Monitors, CoverRects, ::testing::ValuesIn(cover_cases()),
                         [](const auto& info) { return info.param.name; });

} // namespace
