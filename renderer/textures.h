#pragma once

// The hand-off images as OpenGL textures.

#include <cstdint>
#include <optional>

#include "bmp_decoder.h"

struct Scene;

// The hand-off image (its number in the hand-off folder, see
// handoff_location.h) of each texture slot, in the order the slots are
// filled: slot 0 the first bolt kind (image 1), slot 1 the floor (image 0,
// the photograph), slot 2 the second bolt kind (image 2).
inline constexpr int slot_images[3] = {1, 0, 2};
inline constexpr int first_bolt_texture_slot = 0;
inline constexpr int floor_texture_slot = 1;
inline constexpr int second_bolt_texture_slot = 2;

// Reads one hand-off image by its number; nothing when it is missing or unreadable.
using ImageLoader = std::optional<RgbImage> (*)(int image);

// Builds a texture from a picture: linear filters, default (repeating) wrap
// modes, and the picture scaled to power-of-two sides and mipmapped by GLU,
// its rows read tightly packed. Returns the new texture's name.
std::uint32_t build_texture(const RgbImage& image);

// The same texture with its base level alone: the picture scaled to the same
// power-of-two sides with GLU's own filter, so that it samples exactly like
// build_texture's (the linear minification filter never reads another level),
// without the time GLU spends on the levels below. Returns the new texture's
// name, or 0 (no texture) when the picture has no pixels or the memory for
// its level cannot be had.
std::uint32_t build_base_level_texture(const RgbImage& image);

// Fills the scene's three texture slots from the hand-off images, in slot
// order, with base-level textures (they sample as GLU's mipmapped ones do and
// build in about two thirds of the time); a slot whose image does not load
// keeps the name 0. Each picture is freed as soon as its texture is built.
// Always returns true.
bool fill_texture_slots(Scene& scene, ImageLoader load_image);
