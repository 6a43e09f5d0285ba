#pragma once

// Lightning bolts: a jagged channel with forking side branches, made by
// repeated midpoint displacement, and drawn as a bright core in a soft glow.

#include <vector>

#include "canvas.h"

namespace artwork {

struct Point {
    double x = 0, y = 0; // pixels
};

// One straight piece of a bolt; strength fades along the side branches.
struct BoltSegment {
    Point a, b;
    double strength = 1; // 1 on the main channel
};

struct BoltShape {
    double jaggedness = 0.22;      // sideways kick per halving, relative to the piece's length
    double fine_piece = 0;         // pieces shorter than this (pixels) take fine_jaggedness
    double fine_jaggedness = 0.22; // so that short pieces can run straighter between kinks
    double finest = 1.5;           // pieces shorter than this (pixels) are not halved again
    double branch_chance = 0.45;   // chance of a fork at a halving point of a long piece
    double branch_min_piece = 10;  // pieces shorter than this (pixels) do not fork
    double branch_length = 0.5;    // a fork's length relative to the piece it leaves
    double branch_strength = 0.6;  // a fork's strength where it leaves
    int branch_levels = 2;         // forks of forks
};

std::vector<BoltSegment> MakeBolt(Random& random, Point start, Point end, const BoltShape& shape);

struct BoltLight {
    Colour core{1, 1, 1};
    Colour glow{0.6, 0.4, 1.0};
    double core_radius = 0.7; // pixels: full brightness within, fading over one more
    double glow_radius = 3.0; // pixels: deviation of the tight glow
    double halo_radius = 14;  // pixels: deviation of the wide halo
    double glow_strength = 0.9;
    double halo_strength = 0.35;
};

// Adds the bolt's light to the canvas.
void DrawBolt(Canvas& canvas, const std::vector<BoltSegment>& bolt, const BoltLight& light);

// How strongly the bolt lights a point (0..1): falls off with the distance to
// the nearest piece over radius pixels.
double BoltIllumination(const std::vector<BoltSegment>& bolt, Point p, double radius);

} // namespace artwork
