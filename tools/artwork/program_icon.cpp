#include "program_icon.h"

#include <algorithm>
#include <cmath>

#include "lightning.h"

namespace artwork {

namespace {

// Painted at four times the size and averaged down, for smooth edges.
constexpr int kScale = 4;
constexpr int kLarge = kIconSize * kScale;

// In icon pixels.
constexpr double kInset = 1.0;        // transparent margin around the square
constexpr double kCornerRadius = 5.5; // of the rounded square
constexpr double kFloorTop = 22.5;    // the desktop's far edge
const Point kStrike{14.5, 25.5};      // where the bolt meets the desktop

// Signed distance to the rounded square's edge: positive inside.
double InsideSquare(double x, double y) {
    const double half = kIconSize / 2.0 - kInset;
    const double centre = kIconSize / 2.0;
    const double qx = std::abs(x - centre) - (half - kCornerRadius);
    const double qy = std::abs(y - centre) - (half - kCornerRadius);
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) +
                           std::min(std::max(qx, qy), 0.0) - kCornerRadius;
    return -outside;
}

// The night sky, clouded, the clouds lit where the bolt passes.
Colour SkyAt(double x, double y, double lit) {
    const double t = std::clamp(y / kFloorTop, 0.0, 1.0);
    Colour c = Mix(Rgb(4, 3, 16), Rgb(26, 16, 50), t * t);
    const double cloud = SmoothStep(0.40, 0.75, FractalNoise(x / 9.0, y / 5.0, 4, 23));
    return c + Rgb(26, 20, 50) * cloud + Rgb(130, 96, 220) * (cloud * lit * 0.7);
}

// The desktop lying on the ground, lit around the strike and hazy far off.
Colour FloorAt(double x, double y) {
    const double depth = (y - kFloorTop) / (kIconSize - kInset - kFloorTop); // 0 far .. 1 near
    Colour c = Mix(Rgb(96, 110, 150), Rgb(178, 196, 226), std::clamp(depth, 0.0, 1.0));
    // A window with its title bar, and a taskbar along the near edge.
    if (x > 18.5 && x < 27.5 && y > 24 && y < 28.6) {
        c = y < 25.2 ? Rgb(70, 104, 196) : Rgb(232, 236, 246);
    }
    if (y > kIconSize - kInset - 2.4) {
        c = Rgb(54, 80, 146);
    }
    const double dx = x - kStrike.x;
    const double dy = (y - kStrike.y) * 2.0;
    const double flash = std::exp(-(dx * dx + dy * dy) / (2 * 7.0 * 7.0));
    c = c * (0.55 + 0.6 * flash) + Rgb(120, 90, 210) * (0.3 * flash);
    return c;
}

} // namespace

IconPicture PaintProgramIcon() {
    Random random(31);
    BoltShape shape;
    shape.jaggedness = 0.22;
    shape.finest = 3;
    shape.branch_chance = 0.55;
    shape.branch_min_piece = 26;
    shape.branch_length = 0.5;
    shape.branch_strength = 0.7;
    shape.branch_levels = 1;
    const auto bolt = MakeBolt(random, Point{19.5 * kScale, 0.5 * kScale},
                               Point{kStrike.x * kScale, kStrike.y * kScale}, shape);

    Canvas large(kLarge, kLarge);
    std::vector<double> coverage(static_cast<std::size_t>(kLarge) * kLarge);
    for (int y = 0; y < kLarge; ++y) {
        for (int x = 0; x < kLarge; ++x) {
            const double ix = (x + 0.5) / kScale;
            const double iy = (y + 0.5) / kScale;
            const double inside = InsideSquare(ix, iy);
            coverage[static_cast<std::size_t>(y) * kLarge + x] = inside >= 0 ? 1 : 0;
            const double lit = BoltIllumination(bolt, Point{x + 0.5, y + 0.5}, 4.5 * kScale);
            Colour c = iy < kFloorTop ? SkyAt(ix, iy, lit) : FloorAt(ix, iy);
            // A faint violet rim, so the square stands out on a dark background.
            c = c + Rgb(120, 96, 220) * (0.35 * (1 - SmoothStep(0.0, 1.2, inside)));
            large.at(x, y) = c;
        }
    }

    BoltLight light;
    light.core = Rgb(255, 248, 255);
    light.glow = Rgb(160, 104, 255);
    light.core_radius = 0.7 * kScale;
    light.glow_radius = 1.1 * kScale;
    light.halo_radius = 3.5 * kScale;
    light.glow_strength = 0.7;
    light.halo_strength = 0.18;
    DrawBolt(large, bolt, light);

    // The splash of light where the bolt strikes.
    for (int y = 0; y < kLarge; ++y) {
        for (int x = 0; x < kLarge; ++x) {
            const double dx = (x + 0.5) / kScale - kStrike.x;
            const double dy = ((y + 0.5) / kScale - kStrike.y) * 2.4;
            const double d2 = dx * dx + dy * dy;
            large.at(x, y) = large.at(x, y) + Rgb(255, 240, 255) * (0.7 * std::exp(-d2 / 1.5)) +
                             Rgb(170, 120, 255) * (0.22 * std::exp(-d2 / 10.0));
        }
    }

    // Averaged down: colour weighted by coverage, so the edge keeps its colour.
    IconPicture icon{Canvas(kIconSize, kIconSize),
                     std::vector<double>(static_cast<std::size_t>(kIconSize) * kIconSize)};
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x) {
            Colour sum;
            double covered = 0;
            for (int sy = 0; sy < kScale; ++sy) {
                for (int sx = 0; sx < kScale; ++sx) {
                    const int lx = x * kScale + sx;
                    const int ly = y * kScale + sy;
                    const double w = coverage[static_cast<std::size_t>(ly) * kLarge + lx];
                    sum = sum + large.at(lx, ly) * w;
                    covered += w;
                }
            }
            const double alpha = covered / (kScale * kScale);
            icon.alpha[static_cast<std::size_t>(y) * kIconSize + x] = alpha;
            icon.colour.at(x, y) = covered > 0 ? sum * (1.0 / covered) : Colour{};
        }
    }
    return icon;
}

} // namespace artwork
