#include "preview_pictures.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "lightning.h"

namespace artwork {

namespace {

// ---- The preview picture -------------------------------------------------

// The floor: a desktop lying on the ground, seen from above its near edge.
constexpr double kFloorFar = 82;    // screen row of the desktop's far edge
constexpr double kFloorNear = 112;  // the picture's bottom: the near edge
constexpr double kHorizon = 12;     // vanishing row of the floor plane
constexpr double kNearWidth = 1.18; // the desktop's width at the near edge, in picture widths
const Point kStrike{71, 95};        // where the bolt meets the desktop

// Rectangles of the desktop in its own coordinates: u across (0..1, left
// to right), v away from the viewer (0 near edge .. 1 far edge).
struct Box {
    double u0, v0, u1, v1;
    bool Contains(double u, double v) const { return u >= u0 && u < u1 && v >= v0 && v < v1; }
};

// The desktop itself, lit evenly: wallpaper, a taskbar, icons and two windows.
Colour DesktopAt(double u, double v) {
    Colour c = Mix(Rgb(178, 198, 224), Rgb(222, 230, 242), v);
    c = c * (0.94 + 0.08 * FractalNoise(u * 9, v * 5, 3, 7));
    if (v < 0.11) {
        c = Rgb(52, 82, 146);
        if (u < 0.09) {
            c = Rgb(96, 168, 96); // the start button
        }
        if (u > 0.85) {
            c = Rgb(70, 108, 176); // the clock
        }
        return c;
    }
    const std::array<Box, 4> icons{Box{0.035, 0.80, 0.085, 0.88}, Box{0.035, 0.66, 0.085, 0.74},
                                   Box{0.035, 0.52, 0.085, 0.60}, Box{0.035, 0.38, 0.085, 0.46}};
    const std::array<Colour, 4> icon_colours{Rgb(236, 200, 84), Rgb(84, 140, 224),
                                             Rgb(236, 236, 240), Rgb(110, 184, 120)};
    for (std::size_t i = 0; i < icons.size(); ++i) {
        if (icons[i].Contains(u, v)) {
            return icon_colours[i];
        }
    }
    const Box back_window{0.22, 0.36, 0.64, 0.93};
    const Box front_window{0.50, 0.17, 0.93, 0.66};
    for (const auto& [window, title] :
         {std::pair{front_window, Rgb(58, 100, 188)}, std::pair{back_window, Rgb(104, 128, 180)}}) {
        if (window.Contains(u, v)) {
            const double from_top = (window.v1 - v) / (window.v1 - window.v0);
            if (from_top < 0.13) {
                return title;
            }
            Colour body = Rgb(246, 247, 251);
            // Lines of text: grey bars on the window's left part.
            const double line = std::fmod(from_top * 9.0, 1.0);
            const double across = (u - window.u0) / (window.u1 - window.u0);
            if (from_top > 0.22 && line > 0.55 && across > 0.07 && across < 0.72) {
                body = Rgb(176, 182, 196);
            }
            return body;
        }
    }
    return c;
}

// The floor under the pixel at (x, y), or nothing off the desktop.
bool FloorPoint(double x, double y, double& u, double& v) {
    if (y <= kFloorFar) {
        return false;
    }
    const double depth_near = 1.0 / (kFloorNear - kHorizon);
    const double depth_far = 1.0 / (kFloorFar - kHorizon);
    const double depth = 1.0 / (y - kHorizon);
    v = (depth - depth_near) / (depth_far - depth_near);
    const double width_here = kNearWidth * kPreviewWidth * depth_near / depth;
    u = 0.5 + (x - kPreviewWidth / 2.0) / width_here;
    return u >= 0 && u < 1 && v >= 0 && v < 1;
}

Colour SkyAt(double x, double y, const std::vector<BoltSegment>& bolt) {
    const double t = std::clamp(y / kFloorFar, 0.0, 1.0);
    Colour c = Mix(Rgb(3, 2, 12), Rgb(26, 16, 46), t * t);
    const double cloud = SmoothStep(0.42, 0.78, FractalNoise(x / 34.0, y / 15.0, 5, 11));
    const double lit = BoltIllumination(bolt, Point{x, y}, 30);
    c = c + Rgb(34, 26, 62) * cloud + Rgb(150, 110, 230) * (cloud * lit * 0.9);
    return c;
}

} // namespace

Canvas PaintPreviewPicture() {
    Random random(7);
    BoltShape shape;
    shape.jaggedness = 0.24;
    shape.branch_chance = 0.65;
    shape.branch_min_piece = 8;
    shape.branch_length = 0.55;
    const auto bolt = MakeBolt(random, Point{86, -4}, kStrike, shape);

    Canvas canvas(kPreviewWidth, kPreviewHeight);
    constexpr int kSamples = 3; // per axis, for smooth edges on the floor
    for (int y = 0; y < kPreviewHeight; ++y) {
        for (int x = 0; x < kPreviewWidth; ++x) {
            Colour sum;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double px = x + (sx + 0.5) / kSamples;
                    const double py = y + (sy + 0.5) / kSamples;
                    double u = 0;
                    double v = 0;
                    if (FloorPoint(px, py, u, v)) {
                        // Lit by the flash: brightest around the strike, hazier far off.
                        const double dx = px - kStrike.x;
                        const double dy = (py - kStrike.y) * 2.2;
                        const double flash = std::exp(-(dx * dx + dy * dy) / (2 * 34.0 * 34.0));
                        Colour c = DesktopAt(u, v) * (0.62 + 0.45 * flash);
                        c = c + Rgb(120, 90, 210) * (flash * 0.28);
                        sum = sum + Mix(c, Rgb(40, 28, 70), 0.45 * v * v);
                    } else if (py > kFloorFar) {
                        sum = sum + Rgb(10, 8, 22); // the bare ground beside the desktop
                    } else {
                        sum = sum + SkyAt(px, py, bolt);
                    }
                }
            }
            canvas.at(x, y) = sum * (1.0 / (kSamples * kSamples));
        }
    }

    // A violet haze where the sky meets the far edge of the desktop.
    for (int y = 0; y < kPreviewHeight; ++y) {
        const double haze = std::exp(-std::pow((y - kFloorFar) / 6.0, 2));
        for (int x = 0; x < kPreviewWidth; ++x) {
            canvas.at(x, y) = canvas.at(x, y) + Rgb(60, 36, 110) * (haze * 0.35);
        }
    }

    BoltLight light;
    light.core = Rgb(255, 250, 255);
    light.glow = Rgb(168, 112, 255);
    light.core_radius = 0.75;
    light.glow_radius = 2.2;
    light.halo_radius = 11;
    light.glow_strength = 0.85;
    light.halo_strength = 0.32;
    DrawBolt(canvas, bolt, light);

    // The strike's splash of light on the desktop.
    for (int y = 0; y < kPreviewHeight; ++y) {
        for (int x = 0; x < kPreviewWidth; ++x) {
            const double dx = x + 0.5 - kStrike.x;
            const double dy = (y + 0.5 - kStrike.y) * 2.6;
            const double d2 = dx * dx + dy * dy;
            canvas.at(x, y) = canvas.at(x, y) + Rgb(255, 240, 255) * (0.9 * std::exp(-d2 / 18.0)) +
                              Rgb(170, 120, 255) * (0.35 * std::exp(-d2 / 200.0));
        }
    }
    return canvas;
}

// ---- The background picture ----------------------------------------------

namespace {

struct Panel {
    std::array<Point, 4> corners; // clockwise
    Colour tint;
    double opacity; // of the glass
};

// A rectangle of w x h turned by angle (radians) about its centre, its top
// edge narrowed by taper to look tilted away from the viewer.
Panel MakePanel(double cx, double cy, double w, double h, double angle, double taper, Colour tint,
                double opacity) {
    const std::array<Point, 4> local{Point{-w / 2 * (1 - taper), -h / 2},
                                     Point{w / 2 * (1 - taper), -h / 2}, Point{w / 2, h / 2},
                                     Point{-w / 2, h / 2}};
    Panel panel{{}, tint, opacity};
    for (std::size_t i = 0; i < 4; ++i) {
        const double x = local[i].x * std::cos(angle) - local[i].y * std::sin(angle);
        const double y = local[i].x * std::sin(angle) + local[i].y * std::cos(angle);
        panel.corners[i] = Point{cx + x, cy + y};
    }
    return panel;
}

// Distance inside the panel to its nearest edge; negative outside.
double InsideDistance(const Panel& panel, Point p) {
    double nearest = 1e9;
    for (std::size_t i = 0; i < 4; ++i) {
        const Point a = panel.corners[i];
        const Point b = panel.corners[(i + 1) % 4];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        // Clockwise on screen (y down): inside lies to the right of each edge.
        const double side = ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / length;
        nearest = std::min(nearest, side);
    }
    return nearest;
}

} // namespace

Canvas PaintPreviewBackground() {
    Canvas canvas(kPreviewWidth, kPreviewHeight);
    for (int y = 0; y < kPreviewHeight; ++y) {
        for (int x = 0; x < kPreviewWidth; ++x) {
            const double t = static_cast<double>(y) / kPreviewHeight;
            Colour c = Mix(Rgb(5, 5, 16), Rgb(14, 9, 30), t);
            const double dx = (x - 104.0) / 70.0;
            const double dy = (y - 40.0) / 50.0;
            c = c + Rgb(48, 26, 90) * (0.5 * std::exp(-(dx * dx + dy * dy)));
            canvas.at(x, y) = c;
        }
    }

    const std::array<Panel, 7> panels{
        MakePanel(30, 34, 54, 40, -0.32, 0.18, Rgb(90, 120, 230), 0.22),
        MakePanel(96, 26, 62, 34, 0.22, 0.22, Rgb(150, 100, 240), 0.20),
        MakePanel(122, 74, 50, 46, -0.18, 0.14, Rgb(70, 160, 220), 0.18),
        MakePanel(64, 72, 70, 40, 0.12, 0.25, Rgb(120, 110, 240), 0.24),
        MakePanel(16, 92, 44, 30, 0.4, 0.2, Rgb(100, 80, 200), 0.2),
        MakePanel(140, 20, 34, 40, -0.5, 0.12, Rgb(90, 140, 255), 0.16),
        MakePanel(82, 100, 56, 22, -0.08, 0.3, Rgb(170, 120, 255), 0.18),
    };
    constexpr int kSamples = 4;
    for (const Panel& panel : panels) {
        // The glass catches light at its top-left corner.
        const Point shine = panel.corners[0];
        for (int y = 0; y < kPreviewHeight; ++y) {
            for (int x = 0; x < kPreviewWidth; ++x) {
                double fill = 0;
                double edge = 0;
                for (int sy = 0; sy < kSamples; ++sy) {
                    for (int sx = 0; sx < kSamples; ++sx) {
                        const Point p{x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples};
                        const double inside = InsideDistance(panel, p);
                        if (inside >= 0) {
                            fill += 1;
                            edge += inside < 0.9 ? 1 : 0;
                        }
                    }
                }
                fill /= kSamples * kSamples;
                edge /= kSamples * kSamples;
                if (fill == 0) {
                    continue;
                }
                const double d = std::hypot(x - shine.x, y - shine.y);
                const double gleam = 0.55 + 0.9 * std::exp(-d / 22.0);
                Colour& c = canvas.at(x, y);
                c = Mix(c, panel.tint * gleam, fill * panel.opacity);
                c = c + panel.tint * (edge * 0.55);
            }
        }
    }
    return canvas;
}

} // namespace artwork
