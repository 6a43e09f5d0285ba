#include "lightning.h"

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

double Distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

double DistanceToSegment(Point p, const BoltSegment& s) {
    const double dx = s.b.x - s.a.x;
    const double dy = s.b.y - s.a.y;
    const double length_squared = dx * dx + dy * dy;
    double t = 0;
    if (length_squared > 0) {
        t = std::clamp(((p.x - s.a.x) * dx + (p.y - s.a.y) * dy) / length_squared, 0.0, 1.0);
    }
    return Distance(p, Point{s.a.x + t * dx, s.a.y + t * dy});
}

struct Builder {
    Random& random;
    const BoltShape& shape;
    std::vector<BoltSegment>& out;

    void Piece(Point a, Point b, double strength_a, double strength_b, int levels_left) {
        const double length = Distance(a, b);
        if (length < shape.finest) {
            out.push_back({a, b, (strength_a + strength_b) / 2});
            return;
        }
        // Kick the midpoint sideways, across the piece.
        const double nx = -(b.y - a.y) / length;
        const double ny = (b.x - a.x) / length;
        const double jaggedness =
            length < shape.fine_piece ? shape.fine_jaggedness : shape.jaggedness;
        const double kick = random.Gaussian() * jaggedness * length;
        const Point mid{(a.x + b.x) / 2 + nx * kick, (a.y + b.y) / 2 + ny * kick};
        const double strength_mid = (strength_a + strength_b) / 2;

        if (levels_left > 0 && length >= shape.branch_min_piece &&
            random.Uniform(0, 1) < shape.branch_chance) {
            // A fork leaves the midpoint, turned away from the piece's direction.
            const double side = random.Uniform(0, 1) < 0.5 ? -1.0 : 1.0;
            const double turn = side * random.Uniform(0.35, 0.9);
            const double dx = (b.x - a.x) / length;
            const double dy = (b.y - a.y) / length;
            const double fx = dx * std::cos(turn) - dy * std::sin(turn);
            const double fy = dx * std::sin(turn) + dy * std::cos(turn);
            const double fork_length = length * shape.branch_length * random.Uniform(0.6, 1.4);
            const Point fork_end{mid.x + fx * fork_length, mid.y + fy * fork_length};
            const double fork_strength = strength_mid * shape.branch_strength;
            Piece(mid, fork_end, fork_strength, fork_strength * 0.15, levels_left - 1);
        }
        Piece(a, mid, strength_a, strength_mid, levels_left);
        Piece(mid, b, strength_mid, strength_b, levels_left);
    }
};

} // namespace

std::vector<BoltSegment> MakeBolt(Random& random, Point start, Point end, const BoltShape& shape) {
    std::vector<BoltSegment> bolt;
    Builder{random, shape, bolt}.Piece(start, end, 1.0, 0.9, shape.branch_levels);
    return bolt;
}

void DrawBolt(Canvas& canvas, const std::vector<BoltSegment>& bolt, const BoltLight& light) {
    const double reach = light.halo_radius * 3;
    for (int y = 0; y < canvas.height(); ++y) {
        for (int x = 0; x < canvas.width(); ++x) {
            const Point p{x + 0.5, y + 0.5};
            double core = 0;
            double glow = 0;
            double halo = 0;
            for (const BoltSegment& s : bolt) {
                // Cheap rejection of pieces beyond the halo's reach.
                if (p.x < std::min(s.a.x, s.b.x) - reach || p.x > std::max(s.a.x, s.b.x) + reach ||
                    p.y < std::min(s.a.y, s.b.y) - reach || p.y > std::max(s.a.y, s.b.y) + reach) {
                    continue;
                }
                const double d = DistanceToSegment(p, s);
                const double width = light.core_radius * (0.5 + 0.5 * s.strength);
                core = std::max(core, s.strength * (1 - SmoothStep(width, width + 1.0, d)));
                glow = std::max(glow,
                                s.strength *
                                    std::exp(-d * d / (2 * light.glow_radius * light.glow_radius)));
                halo = std::max(halo,
                                s.strength *
                                    std::exp(-d * d / (2 * light.halo_radius * light.halo_radius)));
            }
            Colour& c = canvas.at(x, y);
            c = c + light.glow * (glow * light.glow_strength + halo * light.halo_strength);
            c = Mix(c, light.core, std::min(1.0, core));
        }
    }
}

double BoltIllumination(const std::vector<BoltSegment>& bolt, Point p, double radius) {
    double light = 0;
    for (const BoltSegment& s : bolt) {
        const double d = DistanceToSegment(p, s);
        light = std::max(light, s.strength * std::exp(-d * d / (2 * radius * radius)));
    }
    return light;
}

} // namespace artwork
