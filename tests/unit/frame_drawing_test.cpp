// Whole frames with bolts, drawn offscreen by Mesa at the renderer's
// 1024 x 768 and judged by their pixels: where a bolt shows, how it adds to
// the picture, and how its flash lights the next frame's floor.

#include "scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <deque>
#include <functional>

#include "gl_headers.h"
#include "osmesa_context.h"
#include "textures.h"

using gl_test::Frame;

namespace {

// A clock the test moves by hand, in microseconds.
struct TestClock {
    static inline std::int64_t now = 0;
    static bool frequency(std::int64_t* out) {
        *out = 1'000'000;
        return true;
    }
    static std::int64_t counter() { return now; }
    static std::uint32_t milliseconds() { return 0; }
    static ClockSource source() { return {frequency, counter, milliseconds}; }
};

// Random numbers from a script; 0 when it runs dry.
struct Draws {
    static inline std::deque<int> script;
    static inline std::function<void()> on_draw;
    static int next() {
        if (on_draw) {
            on_draw();
        }
        if (script.empty()) {
            return 0;
        }
        const int v = script.front();
        script.pop_front();
        return v;
    }
};

// Where a point of eye space lands on the 1024 x 768 frame (column, row from the top).
struct ScreenPoint {
    double x, y;
};
ScreenPoint project(double x, double y, double z) {
    const double focal = 1.0 / std::tan(22.5 * 3.14159265358979 / 180.0);
    const double eye_z = z - 240.0;
    const double ndc_x = focal / (1024.0 / 768.0) * x / -eye_z;
    const double ndc_y = focal * y / -eye_z;
    return {(ndc_x + 1.0) / 2.0 * 1024.0, (1.0 - ndc_y) / 2.0 * 768.0};
}

class FrameDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_gl.ready()) << "no offscreen Mesa context";
        Draws::script.clear();
        Draws::on_draw = nullptr;
        TestClock::now = 0;
        m_scene.lightning.random = Draws::next;
        create_bolt_pools(m_scene.lightning);
        m_scene.timer.start(TestClock::source());
        tick_scene_clock(m_scene);
    }

    void use_floor(std::uint32_t rgb) {
        m_scene.texture_slots[floor_texture_slot] =
            build_texture(gl_test::make_image(64, 64, [=](int, int) { return rgb; }));
    }

    // A bolt of the first kind at (0, 50, -550) with a half size of 220,
    // already at full alpha and holding.
    FadeSprite& full_bolt() {
        Draws::script = {200, 0, 5};
        spawn_bolt(m_scene.lightning, BoltKind::First, m_scene.current_time, &m_scene.flash_level);
        FadeSprite& bolt = *m_scene.lightning.first_pool->tail();
        bolt.fading_in = false;
        bolt.colour.a = 1.0f;
        return bolt;
    }

    // Advances the clock by dt seconds and draws one frame. No spawns: the
    // spawn times are kept at the current time.
    Frame frame(double dt = 0.01) {
        TestClock::now += static_cast<std::int64_t>(dt * 1e6);
        tick_scene_clock(m_scene);
        m_scene.lightning.last_spawn_time[0] = m_scene.timer.elapsed();
        m_scene.lightning.last_spawn_time[1] = m_scene.timer.elapsed();
        draw_frame(m_scene, gl_test::no_swap);
        return m_gl.read_frame();
    }

    gl_test::OsmesaContext m_gl;
    Scene m_scene;
};

constexpr int kSkyRow = 150;
constexpr int kFloorRow = 700;

TEST_F(FrameDrawing, EmptyPoolsShowTheFloorAtAFifthOfItsBrightnessUnderABlackSky) {
    use_floor(0xffffff);
    const Frame f = frame();
    for (int x : {0, 300, 512, 1023}) {
        EXPECT_EQ(f.at(x, kSkyRow).brightest(), 0);
        EXPECT_NEAR(f.at(x, kFloorRow).brightest(), 51, 1);
    }
    EXPECT_EQ(m_scene.flash_level, 0.0f);
}

TEST_F(FrameDrawing, AFullBoltShowsWhereItProjectsAndLightsTheNextFloor) {
    use_floor(0xffffff);
    m_scene.texture_slots[first_bolt_texture_slot] =
        build_texture(gl_test::make_image(16, 16, [](int, int) { return 0xffffffu; }));
    full_bolt();

    const Frame first = frame();
    // The square spans (x +- h, y +- h) at depth -550 - 240.
    const ScreenPoint top_left = project(-220, 50 + 220, -550);
    const ScreenPoint bottom_right = project(220, 50 - 220, -550);
    const int left = static_cast<int>(top_left.x), right = static_cast<int>(bottom_right.x);
    const int top = static_cast<int>(top_left.y);
    EXPECT_EQ(first.at(512, kSkyRow).brightest(), 255);
    EXPECT_EQ(first.at(left + 3, top + 3).brightest(), 255);
    EXPECT_EQ(first.at(right - 3, top + 3).brightest(), 255);
    EXPECT_EQ(first.at(left - 3, kSkyRow).brightest(), 0);
    EXPECT_EQ(first.at(right + 3, kSkyRow).brightest(), 0);
    EXPECT_EQ(first.at(512, top - 3).brightest(), 0);
    // The floor of this frame was drawn before the bolt's update: still dim.
    EXPECT_NEAR(first.at(20, kFloorRow).brightest(), 51, 1);
    EXPECT_EQ(m_scene.flash_level, 1.0f);

    const Frame second = frame();
    EXPECT_EQ(second.at(20, kFloorRow).brightest(), 255);
    EXPECT_EQ(second.at(1000, kFloorRow).brightest(), 255);
}

TEST_F(FrameDrawing, TwoFullBoltsFlashTwoAndLightTheFloorAsOneDoes) {
    use_floor(0x606060);
    full_bolt();
    frame();
    const int one_bolt = frame().at(20, kFloorRow).r;

    full_bolt();
    frame();
    EXPECT_EQ(m_scene.flash_level, 2.0f);
    const Frame two = frame();
    EXPECT_EQ(two.at(20, kFloorRow).r, one_bolt);
    EXPECT_NEAR(one_bolt, 0x60, 1); // full brightness: the texel itself
}

TEST_F(FrameDrawing, AMissingBoltImageGivesAWhiteSquareThatFadesInAndOut) {
    use_floor(0x000000);
    Draws::script = {200, 0, 5};
    spawn_bolt(m_scene.lightning, BoltKind::First, m_scene.current_time, &m_scene.flash_level);
    std::vector<int> brightness;
    float last_alpha = 0.0f;
    for (int i = 0; i < 40; ++i) {
        FadeSprite* bolt = m_scene.lightning.first_pool->head();
        const Frame f = frame(0.02);
        if (bolt != nullptr && m_scene.lightning.first_pool->head() != nullptr) {
            last_alpha = bolt->colour.a;
            const auto pixel = f.at(512, kSkyRow);
            EXPECT_EQ(pixel.r, pixel.g);
            EXPECT_EQ(pixel.g, pixel.b);
            EXPECT_NEAR(pixel.r, last_alpha * 255, 1.5) << "frame " << i;
        }
        brightness.push_back(f.at(512, kSkyRow).r);
    }
    EXPECT_NEAR(brightness.front(), (0.001 + 0.2) * 255, 1.5); // 20 ms of fade-in at 10/s
    EXPECT_EQ(*std::max_element(brightness.begin(), brightness.end()), 255);
    EXPECT_EQ(brightness.back(), 0);
    EXPECT_EQ(m_scene.lightning.first_pool->count(), 0);
}

// The bolt pictures have no alpha: black texels add nothing, so the floor
// below the black part of a bolt shows exactly as it would without it.
TEST_F(FrameDrawing, BlackPartsOfABoltPictureAddNothing) {
    use_floor(0x808080);
    m_scene.flash_level = 0.8f; // a floor at full brightness before the bolt
    const Frame without = frame();

    // Left half black, right half white.
    m_scene.texture_slots[first_bolt_texture_slot] = build_texture(
        gl_test::make_image(16, 16, [](int x, int) { return x < 8 ? 0u : 0xffffffu; }));
    full_bolt();
    m_scene.flash_level = 0.8f;
    const Frame with = frame();

    // Rows where the bolt's square lies over the floor.
    const int bottom = static_cast<int>(project(0, 50 - 220, -550).y);
    for (int y = 450; y < bottom - 5; y += 20) {
        EXPECT_EQ(with.at(300, y).r, without.at(300, y).r) << "row " << y; // black half
        EXPECT_EQ(with.at(700, y).r, 255) << "row " << y;                  // white half
        EXPECT_LT(without.at(700, y).r, 255);
    }
}

// A bolt's square is filled over its picture's lit part alone (where the
// rest would add black), and the frame is the whole square's, pixel for pixel.
TEST_F(FrameDrawing, ABoltFilledOverItsLitPartAloneGivesTheWholeSquaresFrame) {
    use_floor(0x808080);
    const RgbImage picture = gl_test::make_image(
        64, 64, [](int x, int y) { return x > 20 && x < 30 && y > 10 && y < 50 ? 0xc0a0ffu : 0u; });
    LitArea& lit = m_scene.lit_areas[first_bolt_texture_slot];
    m_scene.texture_slots[first_bolt_texture_slot] = build_base_level_texture(picture, &lit);
    EXPECT_LT(lit.s1 - lit.s0, 0.25f);
    full_bolt();
    frame(0.0);
    const Frame part = frame(0.0);
    lit = LitArea{};
    EXPECT_TRUE(frame(0.0) == part);
    EXPECT_GT(part.lit_in_row(static_cast<int>(project(0, 50, -550).y), 200), 10);
}

// A bolt that dies in a frame is not drawn in it, but its last alpha, a little
// below 0, still goes into the flash: the next floor is a little below 0.2.
TEST_F(FrameDrawing, ADyingBoltDimsTheNextFloorForOneFrame) {
    use_floor(0xffffff);
    FadeSprite& bolt = full_bolt();
    bolt.fading_out = true;
    bolt.colour.a = 0.02f;
    const Frame last = frame(0.025); // 0.02 - 0.1: dies at -0.08
    EXPECT_EQ(m_scene.lightning.first_pool->count(), 0);
    EXPECT_EQ(last.at(512, kSkyRow).brightest(), 0);
    EXPECT_NEAR(m_scene.flash_level, -0.08f, 1e-6f);
    EXPECT_NEAR(frame().at(20, kFloorRow).brightest(), (0.2 - 0.08) * 255, 1.5);
    EXPECT_NEAR(frame().at(20, kFloorRow).brightest(), 51, 1);
}

// The spawn rule draws its numbers after the floor is drawn (the current
// colour is the floor's grey) and before any bolt is updated.
TEST_F(FrameDrawing, SpawnDrawsComeAfterTheFloorAndBeforeAnyUpdate) {
    use_floor(0xffffff);
    FadeSprite& bolt = full_bolt();
    bolt.fading_in = true;
    bolt.colour.a = 0.5f;
    m_scene.flash_level = 0.3f;
    int draws = 0;
    Draws::on_draw = [&] {
        ++draws;
        float colour[4];
        glGetFloatv(GL_CURRENT_COLOR, colour);
        EXPECT_FLOAT_EQ(colour[0], 0.2f + 0.3f);
        EXPECT_EQ(bolt.colour.a, 0.5f) << "a bolt was updated before the spawn draw";
    };
    frame();
    EXPECT_EQ(draws, 2);
    Draws::on_draw = nullptr;
}

TEST_F(FrameDrawing, StartUpMakesOneFirstKindBoltBeforeTheFirstFrame) {
    Scene scene;
    scene.lightning.random = Draws::next;
    TestClock::now = 5'000;
    create_pools(scene, TestClock::source());
    EXPECT_EQ(scene.lightning.first_pool->count(), 1);
    EXPECT_EQ(scene.lightning.second_pool->count(), 0);
    EXPECT_EQ(scene.lightning.first_pool->capacity(), 500);
    EXPECT_EQ(scene.lightning.second_pool->capacity(), 300);
    // The timer started at this moment and ticked once.
    EXPECT_EQ(scene.current_time, 0.0f);
    EXPECT_EQ(scene.lightning.first_pool->head()->spawn_time, 0.0f);

    // A further monitor's scene opens with an empty sky.
    Scene further;
    further.lightning.random = Draws::next;
    create_pools(further, TestClock::source(), false);
    EXPECT_EQ(further.lightning.first_pool->count(), 0);
    EXPECT_EQ(further.lightning.second_pool->count(), 0);
}

} // namespace
