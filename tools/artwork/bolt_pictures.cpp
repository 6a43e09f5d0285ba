#include "bolt_pictures.h"

#include <algorithm>

#include "lightning.h"

namespace artwork {

namespace {

// Everything dimmer than this (after the glow has been added) is background:
// it becomes exact black, so that adding the picture leaves the sky untouched
// away from the bolt.
constexpr double kBlackBelow = 2.5 / 255;

// Rows at the top over which the glow fades in, so that a bolt that starts
// at the top edge shows no straight edge of glow in the sky; the white core
// itself runs on to the edge.
constexpr double kGlowFadeRows = 14;
constexpr double kCoreAtLeast = 0.8; // every channel: the core, kept as it is

struct BoltPlan {
    std::uint32_t seed;
    Point start, end; // pixels
    BoltShape shape;
    BoltLight light;
};

Canvas Paint(const BoltPlan& plan) {
    Random random(plan.seed);
    const auto bolt = MakeBolt(random, plan.start, plan.end, plan.shape);
    Canvas canvas(kBoltPictureSize, kBoltPictureSize);
    DrawBolt(canvas, bolt, plan.light);
    for (int y = 0; y < canvas.height(); ++y) {
        const double fade = SmoothStep(0, kGlowFadeRows, y + 0.5);
        for (int x = 0; x < canvas.width(); ++x) {
            Colour& c = canvas.at(x, y);
            if (std::min({c.r, c.g, c.b}) < kCoreAtLeast) {
                c = c * fade;
            }
            if (std::max({c.r, c.g, c.b}) < kBlackBelow) {
                c = Colour{};
            }
        }
    }
    return canvas;
}

// Kinks every ten pixels or so with straighter runs between them, and forks
// of forks that fade out.
BoltShape FineBranches() {
    BoltShape shape;
    shape.jaggedness = 0.17;
    shape.fine_piece = 10;
    shape.fine_jaggedness = 0.09;
    shape.finest = 1.5;
    shape.branch_chance = 0.55;
    shape.branch_min_piece = 9;
    shape.branch_length = 0.6;
    shape.branch_strength = 0.65;
    shape.branch_levels = 2;
    return shape;
}

} // namespace

Canvas PaintVioletBolt() {
    BoltPlan plan{};
    plan.seed = 5;
    plan.start = Point{112, -2};
    plan.end = Point{128, 205};
    plan.shape = FineBranches();
    plan.light.core = Rgb(255, 246, 255);
    plan.light.glow = Rgb(150, 92, 255);
    plan.light.core_radius = 0.8;
    plan.light.glow_radius = 2.6;
    plan.light.halo_radius = 10;
    plan.light.glow_strength = 0.8;
    plan.light.halo_strength = 0.3;
    return Paint(plan);
}

Canvas PaintYellowBolt() {
    BoltPlan plan{};
    plan.seed = 12;
    plan.start = Point{131, 20};
    plan.end = Point{122, 192};
    plan.shape = FineBranches();
    plan.light.core = Rgb(255, 255, 236);
    plan.light.glow = Rgb(255, 214, 84);
    plan.light.core_radius = 0.8;
    plan.light.glow_radius = 2.6;
    plan.light.halo_radius = 10;
    plan.light.glow_strength = 0.75;
    plan.light.halo_strength = 0.28;
    return Paint(plan);
}

} // namespace artwork
