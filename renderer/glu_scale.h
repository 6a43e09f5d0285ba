#pragma once

// The power-of-two scaling that GLU's mipmap builder gives a texture's base
// level, done without GL, so that a texture can be built from its base level
// alone and still sample exactly as one built by gluBuild2DMipmaps.

#include <cstdint>
#include <vector>

// GLU's power of two for a side: the nearest, halves rounding up (3 -> 4, 5 -> 4, 6 -> 8).
// -1 for a side that is not positive. From 3 x 2^29 on, where the nearest
// power (2^31) is past an int, it is the largest power an int holds, 2^30.
int glu_nearest_power_of_two(int side);

// Whether a level of these sides would fit (GLU asks OpenGL's proxy texture).
using LevelFits = bool (*)(int width, int height);

// The base level's sides as GLU's mipmap builder chooses them: the nearest
// powers of two, halved together until level_fits says the level below them
// fits, and never below 1 x 1, so the search ends after at most 31 halvings
// for any sides. False, with the sides untouched, when a side is not positive.
bool glu_base_level_sides(int width, int height, LevelFits level_fits, int* out_width,
                          int* out_height);

// Tightly packed RGB rows scaled from in_width x in_height to out_width x
// out_height the way GLU scales unsigned-byte RGB for its base level: an exact
// halving averages 2 x 2 blocks with rounding; any other change is GLU's box
// filter, with its single-precision arithmetic, its summing order and its
// quirks (the box's side columns step one pixel right per inner row; a
// column one past the right edge reads the next row's first pixel; bytes
// past the end of the picture, which GLU would read, count as 0). Empty when
// a size is not positive or the memory for the result cannot be had.
std::vector<std::uint8_t> scale_rgb_like_glu(const std::uint8_t* in, int in_width, int in_height,
                                             int out_width, int out_height);
