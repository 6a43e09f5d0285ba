#include "frame_timer.h"

#include "frame_pacer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// A fake platform: a counter (or only a millisecond clock) that the test
// moves by hand.
struct FakeClock {
    static inline bool has_counter = true;
    static inline std::int64_t frequency = 10'000'000;
    static inline std::int64_t counter = 0;
    static inline std::uint32_t millis = 0;
    static inline int counter_reads = 0;

    static bool query_frequency(std::int64_t* out) {
        if (!has_counter) {
            return false;
        }
        *out = frequency;
        return true;
    }
    static std::int64_t query_counter() {
        ++counter_reads;
        return counter;
    }
    static std::uint32_t milliseconds() { return millis; }

    static ClockSource source() { return {query_frequency, query_counter, milliseconds}; }

    static void reset(bool counter_present) {
        has_counter = counter_present;
        frequency = 10'000'000;
        counter = 0;
        millis = 0;
        counter_reads = 0;
    }
};

class FrameTimerTest : public ::testing::Test {
protected:
    void SetUp() override { FakeClock::reset(true); }
};

TEST_F(FrameTimerTest, CounterPathMeasuresFromTheBaseCount) {
    FakeClock::counter = 123'456'789; // the counter does not start at zero
    FrameTimer timer;
    timer.start(FakeClock::source());

    FakeClock::counter += 25'000; // 2.5 ms
    timer.tick();
    EXPECT_NEAR(timer.elapsed(), 0.0025f, 1e-7f);
    // The first delta is the first elapsed: the previous elapsed starts at 0.
    EXPECT_EQ(timer.delta(), timer.elapsed());

    FakeClock::counter += 166'667; // one 60 Hz frame
    timer.tick();
    EXPECT_NEAR(timer.elapsed(), 0.0191667f, 1e-6f);
    EXPECT_NEAR(timer.delta(), 0.0166667f, 1e-6f);
}

TEST_F(FrameTimerTest, AccessorsReadStoredValuesWithoutTouchingTheClock) {
    FrameTimer timer;
    timer.start(FakeClock::source());
    FakeClock::counter = 10'000'000;
    timer.tick();
    const int reads = FakeClock::counter_reads;
    FakeClock::counter = 50'000'000;
    EXPECT_FLOAT_EQ(timer.elapsed(), 1.0f);
    EXPECT_FLOAT_EQ(timer.delta(), 1.0f);
    EXPECT_EQ(FakeClock::counter_reads, reads);
}

TEST_F(FrameTimerTest, MillisecondFallbackWithoutACounter) {
    FakeClock::reset(false);
    FakeClock::millis = 5'000'000; // the system has been up for a while
    FrameTimer timer;
    timer.start(FakeClock::source());
    EXPECT_EQ(FakeClock::counter_reads, 0);

    FakeClock::millis += 40;
    timer.tick();
    EXPECT_NEAR(timer.elapsed(), 0.040f, 1e-6f);
    EXPECT_EQ(timer.delta(), timer.elapsed());

    // Two frames within one clock step: nothing advances.
    timer.tick();
    EXPECT_NEAR(timer.elapsed(), 0.040f, 1e-6f);
    EXPECT_EQ(timer.delta(), 0.0f);

    FakeClock::millis += 17;
    timer.tick();
    EXPECT_NEAR(timer.delta(), 0.017f, 1e-6f);
    EXPECT_EQ(FakeClock::counter_reads, 0);
}

TEST_F(FrameTimerTest, ZeroDeltaWhenTheCounterHasNotMoved) {
    FrameTimer timer;
    timer.start(FakeClock::source());
    FakeClock::counter = 1'000;
    timer.tick();
    timer.tick();
    EXPECT_EQ(timer.delta(), 0.0f);
}

TEST_F(FrameTimerTest, TickBeforeStartLeavesEverythingAtZero) {
    FrameTimer timer;
    timer.tick();
    EXPECT_EQ(timer.elapsed(), 0.0f);
    EXPECT_EQ(timer.delta(), 0.0f);
}

// The elapsed time is a 32-bit float, so after hours of running the delta
// between two frames can only be a multiple of the float spacing there.
TEST_F(FrameTimerTest, DeltaIsQuantisedOnceElapsedIsLarge) {
    FakeClock::frequency = 1'000'000; // microseconds
    FrameTimer timer;
    timer.start(FakeClock::source());

    struct Case {
        double seconds;
        float spacing;
    };
    for (const Case c :
         {Case{8192.5, 1.0f / 1024}, Case{16384.5, 1.0f / 512}, Case{32768.5, 1.0f / 256}}) {
        FakeClock::counter = static_cast<std::int64_t>(c.seconds * 1e6);
        timer.tick();
        EXPECT_EQ(std::nextafter(timer.elapsed(), 1e9f) - timer.elapsed(), c.spacing);
        // A 60 Hz frame (16.667 ms) comes out as a whole number of spacings.
        FakeClock::counter += 16'667;
        timer.tick();
        const float steps = timer.delta() / c.spacing;
        EXPECT_EQ(steps, std::round(steps)) << "at " << c.seconds << " s";
        EXPECT_NEAR(timer.delta(), 0.016667f, c.spacing);
    }
}

// The pacer's deadlines on a fake clock: each step is a swap at a time
// (milliseconds) and the wait the pacer then asks for.
TEST_F(FrameTimerTest, PacerWaitsForAbsoluteDeadlinesOnly) {
    FakeClock::frequency = 1'000'000;
    const double p = 1000.0 / 60.0;
    struct Step {
        double swap_ms;
        double wait_ms;
    };
    struct Case {
        const char* name;
        double period_ms;
        std::vector<Step> steps;
    };
    const Case cases[] = {
        // The second wake came late (17.5 ms); the deadline stays at 2p, no drift.
        {"early frames", p, {{0, 0}, {5, p - 5}, {20, 2 * p - 20}}},
        {"a late frame starts afresh", p, {{0, 0}, {5, p - 5}, {40, 0}, {45, p - 5}}},
        {"the clock jumps ahead", p, {{0, 0}, {5, p - 5}, {3.6e6, 0}, {3.6e6 + 5, p - 5}}},
        {"the clock jumps back", p, {{10'000, 0}, {10'005, p - 5}, {9'000, 0}, {9'005, p - 5}}},
        {"vertical sync waited already", p, {{0, 0}, {16.6, 0}, {33.4, 0}, {50.0, 0}, {66.5, 0}}},
        {"unpaced", 0, {{0, 0}, {1, 0}, {2, 0}}},
    };
    for (const Case& c : cases) {
        FramePacer pacer;
        pacer.start(FakeClock::source(), c.period_ms / 1000);
        for (const Step& step : c.steps) {
            FakeClock::counter = static_cast<std::int64_t>(step.swap_ms * 1000);
            pacer.frame_swapped();
            EXPECT_NEAR(pacer.seconds_to_wait() * 1000, step.wait_ms, 0.002)
                << c.name << ", swap at " << step.swap_ms << " ms";
        }
    }
}

TEST(RefreshPeriod, AbsurdRatesCountAsSixtyHertz) {
    for (const int hertz : {0, 1, -60, 23, 501, 100'000}) {
        EXPECT_DOUBLE_EQ(refresh_period_seconds(hertz), 1.0 / 60) << hertz;
    }
    for (const int hertz : {24, 75, 144, 500}) {
        EXPECT_DOUBLE_EQ(refresh_period_seconds(hertz), 1.0 / hertz) << hertz;
    }
}

} // namespace
