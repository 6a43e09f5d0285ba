// The life of one bolt, frame by frame, against the numbers a viewer sees:
// a tenth of a second to fade in, a fifth held, a quarter to fade out.

#include "lightning.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

int always_zero() {
    return 0;
}

// A bolt as the program spawns it, made at the given time in a fresh pool.
struct OneBolt {
    explicit OneBolt(float spawn_time = 0.0f) {
        lightning.random = always_zero;
        create_bolt_pools(lightning);
        spawn_bolt(lightning, BoltKind::First, spawn_time, &flash_level);
    }
    FadeSprite* bolt() { return lightning.first_pool->head(); }

    // Runs frames of dt seconds from the spawn time; returns the alphas drawn,
    // stopping when the bolt is gone.
    std::vector<float> drawn_alphas(float dt, int max_frames = 100000) {
        std::vector<float> alphas;
        float now = bolt()->spawn_time;
        for (int i = 0; i < max_frames && lightning.first_pool->count() > 0; ++i) {
            now += dt;
            lightning.first_pool->update_each(
                now, dt, [&](const FadeSprite& sprite) { alphas.push_back(sprite.colour.a); });
        }
        return alphas;
    }

    Lightning lightning;
    float flash_level = 0.0f;
};

TEST(BoltLife, FadesInInAboutATenthHoldsUntilAFifthAndIsGoneAQuarterLater) {
    OneBolt one;
    FadeSprite* bolt = one.bolt();
    ASSERT_NE(bolt, nullptr);
    EXPECT_FLOAT_EQ(bolt->colour.a, 0.001f);

    const float dt = 0.001f;
    float now = 0.0f, full_at = -1.0f, fade_from = -1.0f, gone_at = -1.0f;
    while (one.lightning.first_pool->count() > 0 && now < 2.0f) {
        now += dt;
        const bool was_fading_out = bolt->fading_out;
        one.lightning.first_pool->update_each(now, dt, [&](const FadeSprite& sprite) {
            if (full_at < 0 && sprite.colour.a == 1.0f) {
                full_at = now;
            }
            if (full_at >= 0 && fade_from < 0) {
                EXPECT_TRUE(sprite.colour.a == 1.0f || sprite.fading_out);
            }
            if (!was_fading_out && sprite.fading_out) {
                fade_from = now;
                EXPECT_EQ(sprite.colour.a, 1.0f); // the update that starts the fade changes nothing
            }
        });
        if (one.lightning.first_pool->count() == 0) {
            gone_at = now;
        }
    }
    EXPECT_NEAR(full_at, 0.099f, 0.0015f);
    EXPECT_NEAR(fade_from, 0.201f, 0.0015f);
    EXPECT_NEAR(gone_at - fade_from, 0.25f, 0.0025f);
}

TEST(BoltLife, AtSixtyFramesASecondTheFirstDrawnAlphaIsAbout0168) {
    OneBolt one;
    const auto alphas = one.drawn_alphas(1.0f / 60.0f);
    ASSERT_FALSE(alphas.empty());
    EXPECT_NEAR(alphas.front(), 0.001f + 10.0f / 60.0f, 1e-6f);
    EXPECT_NEAR(alphas.front(), 0.168f, 0.001f);
    // Visible for about 0.45 s plus up to two frames.
    EXPECT_GE(alphas.size(), 27u);
    EXPECT_LE(alphas.size(), 30u);
}

// However long the frames, a bolt ends its fade-in in its first update,
// starts its fade-out in its second and dies in its third.
TEST(BoltLife, LongFramesDrawItExactlyTwice) {
    for (float dt : {0.26f, 0.5f, 1.0f, 30.0f}) {
        OneBolt one;
        const auto alphas = one.drawn_alphas(dt);
        ASSERT_EQ(alphas.size(), 2u) << "frames of " << dt << " s";
        EXPECT_EQ(alphas[0], 1.0f);
        EXPECT_EQ(alphas[1], 1.0f);
    }
}

// NOTE: with frames of exactly a quarter second the fade-out takes alpha to
// exactly 0, which is not below 0, so the bolt is drawn once more (at 0).
TEST(BoltLife, FramesOfExactlyAQuarterSecondDrawAThirdTimeAtZero) {
    OneBolt one;
    const auto alphas = one.drawn_alphas(0.25f);
    ASSERT_EQ(alphas.size(), 3u);
    EXPECT_EQ(alphas[2], 0.0f);
}

TEST(BoltLife, AZeroFrameDeltaChangesNothing) {
    OneBolt one;
    FadeSprite* bolt = one.bolt();
    bolt->velocity = Vec3{3.0f, 4.0f, 5.0f};
    bolt->colour_rate = ColourRgba{1.0f, 1.0f, 1.0f, 0.0f};
    auto same_as_before = [&](float now) {
        const ColourRgba colour = bolt->colour;
        const Vec3 position = bolt->position;
        const bool fading_in = bolt->fading_in;
        bolt->update(now, 0.0f);
        EXPECT_EQ(bolt->colour.a, colour.a);
        EXPECT_EQ(bolt->colour.r, colour.r);
        EXPECT_EQ(bolt->position.x, position.x);
        EXPECT_EQ(bolt->position.z, position.z);
        EXPECT_EQ(bolt->fading_in, fading_in);
    };
    bolt->update(0.02f, 0.02f);
    same_as_before(0.02f); // while fading in
    bolt->update(0.2f, 0.18f);
    bolt->update(0.3f, 0.1f); // starts the fade-out
    bolt->update(0.35f, 0.05f);
    ASSERT_TRUE(bolt->fading_out);
    same_as_before(0.35f); // while fading out
}

TEST(BoltLife, ColourDriftsPerSecondButTheFourthRateNeverTouchesAlpha) {
    SpritePool pool(1);
    FadeSprite sprite(&pool, 0.0f);
    sprite.configure(Vec3{}, Vec3{10.0f, 0.0f, -20.0f}, ColourRgba{0.5f, 0.5f, 0.5f, 1.0f},
                     ColourRgba{0.5f, -0.25f, 0.0f, 100.0f}, 10.0f, 0.0f, 5.0f, 4.0f);
    EXPECT_EQ(sprite.colour.a, 0.001f); // configure forces the start of the fade-in
    sprite.fading_in = false;
    sprite.colour.a = 0.75f;
    sprite.update(1.0f, 0.5f); // holding: hold time 5 s not yet over
    EXPECT_EQ(sprite.colour.a, 0.75f);
    EXPECT_FLOAT_EQ(sprite.colour.r, 0.75f);
    EXPECT_FLOAT_EQ(sprite.colour.g, 0.375f);
    EXPECT_FLOAT_EQ(sprite.position.x, 5.0f);
    EXPECT_FLOAT_EQ(sprite.position.z, -10.0f);
}

TEST(BoltLife, SizeRateActsPerUpdateWhateverTheFrameTime) {
    SpritePool pool(1);
    FadeSprite sprite(&pool, 0.0f);
    sprite.configure(Vec3{}, Vec3{}, ColourRgba{1, 1, 1, 1}, ColourRgba{}, 10.0f, 1.5f, 5.0f, 4.0f);
    sprite.update(0.001f, 0.001f);
    sprite.update(2.0f, 1.999f);
    EXPECT_FLOAT_EQ(sprite.half_size, 13.0f);

    sprite.size_rate = -20.0f;
    sprite.update(2.1f, 0.1f);
    EXPECT_EQ(sprite.half_size, 0.0f); // never below zero

    sprite.size_animating = false;
    sprite.size_rate = 7.0f;
    sprite.update(2.2f, 0.1f);
    EXPECT_EQ(sprite.half_size, 0.0f);
}

// The flash is the sum of the alphas of the bolts updated in the frame,
// including the slightly negative last alpha of a bolt that dies in it.
TEST(BoltLife, EveryUpdateAddsTheBoltsAlphaToTheFlashEvenTheLastOne) {
    OneBolt one;
    float now = 0.0f, last_alpha = 0.0f;
    while (one.lightning.first_pool->count() > 0) {
        now += 0.03f;
        one.flash_level = 0.0f;
        last_alpha = one.bolt()->colour.a;
        FadeSprite* bolt = one.bolt();
        one.lightning.first_pool->update_each(now, 0.03f, [](const FadeSprite&) {});
        if (one.lightning.first_pool->count() > 0) {
            EXPECT_EQ(one.flash_level, bolt->colour.a);
        }
    }
    EXPECT_LT(one.flash_level, 0.0f);
    EXPECT_FLOAT_EQ(one.flash_level, last_alpha - 0.03f * 4.0f);
}

} // namespace
