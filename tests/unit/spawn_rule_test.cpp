// Where and when bolts are born: the random placement of each kind and the
// per-frame spawn rule, replayed with scripted random sources.

#include "lightning.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <deque>
#include <random>
#include <set>
#include <vector>

namespace {

// The random source a test scripts. An empty script falls back to a seeded
// generator of rand()-like values, so long runs stay reproducible.
struct Script {
    static inline std::deque<int> values;
    static inline std::mt19937 generator{1234};
    static inline int calls = 0;
    static int next() {
        ++calls;
        if (!values.empty()) {
            const int v = values.front();
            values.pop_front();
            return v;
        }
        return static_cast<int>(generator() & 0x7FFFFFFF);
    }
    static void reset(std::uint32_t seed = 1234) {
        values.clear();
        generator.seed(seed);
        calls = 0;
    }
};

struct SpawnRun {
    SpawnRun() {
        Script::reset();
        lightning.random = Script::next;
        create_bolt_pools(lightning);
    }
    // One frame's spawn decision at time t; returns the kinds spawned.
    std::vector<BoltKind> frame(float t) {
        const int first = lightning.first_pool->count();
        const int second = lightning.second_pool->count();
        run_spawn_rule(lightning, t, t, &flash_level);
        std::vector<BoltKind> spawned;
        if (lightning.first_pool->count() > first) {
            spawned.push_back(BoltKind::First);
        }
        if (lightning.second_pool->count() > second) {
            spawned.push_back(BoltKind::Second);
        }
        return spawned;
    }
    // Runs frames of dt until end; records spawn times by kind. Sprites are
    // pruned as the program would, so pools never fill.
    void run_for(float end, float dt) {
        for (float t = dt; t <= end; t += dt) {
            for (BoltKind kind : frame(t)) {
                times[kind == BoltKind::First ? 0 : 1].push_back(t);
            }
            for (SpritePool* pool : {lightning.first_pool.get(), lightning.second_pool.get()}) {
                pool->update_each(t, dt, [](const FadeSprite&) {});
            }
        }
    }
    Lightning lightning;
    float flash_level = 0.0f;
    std::vector<float> times[2];
};

TEST(BoltPlacement, CentresAndSizesComeOnlyFromTheirExactSets) {
    std::set<int> xs[2], zs[2];
    std::set<float> sizes;
    SpawnRun run;
    auto spawn_with = [&](BoltKind kind, int x, int z, int size) {
        Script::values = {x, z, size};
        spawn_bolt(run.lightning, kind, 0.0f, &run.flash_level);
        FadeSprite* bolt = pool_of(run.lightning, kind).tail();
        const int k = kind == BoltKind::First ? 0 : 1;
        xs[k].insert(static_cast<int>(bolt->position.x));
        zs[k].insert(static_cast<int>(bolt->position.z));
        sizes.insert(bolt->half_size);
        EXPECT_EQ(bolt->position.y, 50.0f);
        EXPECT_EQ(bolt->position.x, std::floor(bolt->position.x));
        run.lightning.first_pool = std::make_unique<SpritePool>(500);
        run.lightning.second_pool = std::make_unique<SpritePool>(300);
    };
    for (int v = 0; v < 1000; ++v) {
        spawn_with(BoltKind::First, v, v, v);
        spawn_with(BoltKind::Second, v, v, v);
    }
    spawn_with(BoltKind::First, RAND_MAX, RAND_MAX, RAND_MAX);
    spawn_with(BoltKind::First, 2147483647, 2147483647, 2147483647);

    EXPECT_EQ(xs[0].size(), 400u);
    EXPECT_EQ(*xs[0].begin(), -400);
    EXPECT_EQ(*xs[0].rbegin(), 398);
    EXPECT_EQ(zs[0].size(), 500u);
    EXPECT_EQ(*zs[0].begin(), -1548);
    EXPECT_EQ(*zs[0].rbegin(), -550);
    EXPECT_EQ(xs[1].size(), 200u);
    EXPECT_EQ(*xs[1].begin(), -200);
    EXPECT_EQ(*xs[1].rbegin(), 198);
    EXPECT_EQ(zs[1].size(), 200u);
    EXPECT_EQ(*zs[1].begin(), -948);
    EXPECT_EQ(*zs[1].rbegin(), -550);
    for (int k = 0; k < 2; ++k) {
        for (int x : xs[k]) {
            EXPECT_EQ(x % 2, 0);
        }
        for (int z : zs[k]) {
            EXPECT_EQ(z % 2, 0);
        }
    }
    EXPECT_EQ(xs[0].count(400), 0u);
    EXPECT_EQ(zs[0].count(-1550), 0u);

    // Ten sizes, 219.5 to 220.4 in steps of 0.1, computed in double and kept as float.
    std::set<float> expected;
    for (int i = -5; i < 5; ++i) {
        expected.insert(static_cast<float>(220.0 + 0.1 * i));
    }
    EXPECT_EQ(sizes, expected);
}

TEST(BoltPlacement, ABoltStartsFadingInWithTheFixedRatesAndTheFlashTarget) {
    SpawnRun run;
    Script::values = {7, 9, 3};
    spawn_bolt(run.lightning, BoltKind::Second, 4.5f, &run.flash_level);
    ASSERT_EQ(run.lightning.second_pool->count(), 1);
    auto* bolt = static_cast<BoltSprite*>(run.lightning.second_pool->head());
    EXPECT_EQ(bolt->position.x, 2 * 7 - 200);
    EXPECT_EQ(bolt->position.z, -550 - 2 * 9);
    EXPECT_EQ(bolt->half_size, static_cast<float>(220.0 + 0.1 * (3 - 5)));
    EXPECT_EQ(bolt->spawn_time, 4.5f);
    EXPECT_EQ(bolt->hold_time, 0.2f);
    EXPECT_EQ(bolt->fade_in_rate, 10.0f);
    EXPECT_EQ(bolt->fade_out_rate, 4.0f);
    EXPECT_EQ(bolt->colour.a, 0.001f);
    EXPECT_TRUE(bolt->fading_in);
    EXPECT_EQ(bolt->flash_target, &run.flash_level);
    EXPECT_EQ(bolt->owner, run.lightning.second_pool.get());
    EXPECT_EQ(Script::calls, 3);
}

// One draw per kind per frame, first kind first, with a bolt's own three
// draws right after its kind's threshold.
TEST(SpawnRule, DrawsOneThresholdPerKindEveryFrameInOrder) {
    SpawnRun run;
    Script::values = {0, 0};
    EXPECT_TRUE(run.frame(0.5f).empty());
    EXPECT_EQ(Script::calls, 2);

    // At 2.9 s both kinds are due; threshold draws 5 (+0.2 s) are still exceeded.
    Script::values = {5, 11, 13, 7, 5, 21, 23, 3};
    const auto spawned = run.frame(2.9f);
    ASSERT_EQ(spawned.size(), 2u);
    EXPECT_EQ(Script::calls, 2 + 8);
    EXPECT_EQ(run.lightning.first_pool->head()->position.x, 2 * 11 - 400);
    EXPECT_EQ(run.lightning.second_pool->head()->position.x, 2 * 21 - 200);
    EXPECT_EQ(run.lightning.last_spawn_time[0], 2.9f);
    EXPECT_EQ(run.lightning.last_spawn_time[1], 2.9f);
}

TEST(SpawnRule, IntervalsStayBetweenTheShortestAndTheLongestWait) {
    const float dt = 1.0f / 60.0f;
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        SpawnRun run;
        Script::reset(seed);
        run.run_for(120.0f, dt);
        const float shortest[] = {1.3f, 2.3f}, longest[] = {1.8f, 2.8f};
        for (int k = 0; k < 2; ++k) {
            ASSERT_GT(run.times[k].size(), 10u);
            // The first rule-driven bolt comes within the first window after start-up.
            EXPECT_GT(run.times[k][0], shortest[k]);
            EXPECT_LE(run.times[k][0], longest[k] + dt);
            for (std::size_t i = 1; i < run.times[k].size(); ++i) {
                const float interval = run.times[k][i] - run.times[k][i - 1];
                EXPECT_GT(interval, shortest[k] - 1e-4f);
                EXPECT_LE(interval, longest[k] + dt + 1e-4f);
            }
        }
    }
}

// The extremes of the threshold: draws of 0 give 1.3 s / 2.3 s, draws of 5
// give 1.8 s / 2.8 s; a bolt comes in the first frame past the threshold.
TEST(SpawnRule, ExtremeDrawsSpawnInTheFirstFrameAfterTheirThreshold) {
    const float dt = 0.01f;
    for (int draw : {0, 5}) {
        SCOPED_TRACE(draw);
        SpawnRun run;
        run.lightning.random = [] { return 0; };
        if (draw == 5) {
            run.lightning.random = [] { return 5; };
        }
        run.run_for(20.0f, dt);
        const float wait[] = {1.3f + 0.1f * draw, 2.3f + 0.1f * draw};
        for (int k = 0; k < 2; ++k) {
            ASSERT_FALSE(run.times[k].empty());
            EXPECT_GT(run.times[k][0], wait[k]);
            EXPECT_LE(run.times[k][0], wait[k] + dt + 1e-4f);
            for (std::size_t i = 1; i < run.times[k].size(); ++i) {
                const float interval = run.times[k][i] - run.times[k][i - 1];
                EXPECT_GT(interval, wait[k] - 1e-4f);
                EXPECT_LE(interval, wait[k] + dt + 1e-4f);
            }
        }
    }
}

TEST(SpawnRule, AFullPoolRefusesTheBoltButTheSpawnStillCounts) {
    SpawnRun run;
    run.lightning.first_pool = std::make_unique<SpritePool>(0);
    Script::values = {0, 1, 2, 3, 0};
    const auto spawned = run.frame(1.5f);
    EXPECT_TRUE(spawned.empty());
    EXPECT_EQ(run.lightning.last_spawn_time[0], 1.5f);
    EXPECT_EQ(Script::calls, 5); // the discarded bolt still drew its three numbers
    // So the next first-kind bolt waits its full interval again.
    Script::values = {0, 5}; // 1.25 s after the refused spawn: too early for the first kind
    EXPECT_TRUE(run.frame(2.75f).empty());
}

} // namespace
