#pragma once

// The power-of-two scaling that GLU's mipmap builder gives a texture's base
// level, done without GL, so that a texture can be built from its base level
// alone and still sample exactly as one built by gluBuild2DMipmaps.

#include <cstdint>
#include <vector>

// GLU's power of two for a side: the nearest, halves rounding up (3 -> 4, 5 -> 4, 6 -> 8).
int glu_nearest_power_of_two(int side);

// Tightly packed RGB rows scaled from in_width x in_height to out_width x
// out_height the way GLU scales unsigned-byte RGB for its base level: an exact
// halving averages 2 x 2 blocks with rounding; any other change is GLU's box
// filter, with its single-precision arithmetic, its summing order and its
// quirks (the box's side columns step one pixel right per inner row; a
// column one past the right edge reads the next row's first pixel; bytes
// past the end of the picture, which GLU would read, count as 0).
std::vector<std::uint8_t> scale_rgb_like_glu(const std::uint8_t* in, int in_width, int in_height,
                                             int out_width, int out_height);
