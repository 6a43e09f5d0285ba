#pragma once

// The hand-off images as OpenGL textures.

#include <cstdint>
#include <functional>
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

// The part of a texture, in texture coordinates, where a sample can find
// light: every texel that linear filtering reads for a point outside it is
// black. A bolt's square is drawn over this part alone, since the additive
// blend adds nothing for black, so the picture is the same and the black
// around a bolt costs no fill. The whole texture by default.
struct LitArea {
    float s0 = 0.0f;
    float t0 = 0.0f;
    float s1 = 1.0f;
    float t1 = 1.0f;
};

// The lit area of a texture level of width x height tightly packed RGB
// texels, with a margin of a texel for the filter. Where light comes within
// that margin of an edge, the repeat wrap lets it show at the opposite edge,
// so that side keeps the whole texture. An all-black level has an empty
// area (s0 == s1).
LitArea lit_area(const std::uint8_t* rgb, int width, int height);

// Reads one hand-off image by its number; nothing when it is missing or
// unreadable. It carries what it reads from (the hack's run, say).
using ImageLoader = std::function<std::optional<RgbImage>(int image)>;

// Builds a texture from a picture: linear filters, default (repeating) wrap
// modes, and the picture scaled to power-of-two sides and mipmapped by GLU,
// its rows read tightly packed. Returns the new texture's name.
std::uint32_t build_texture(const RgbImage& image);

// The same texture with its base level alone: the picture scaled to the same
// power-of-two sides with GLU's own filter, so that it samples exactly like
// build_texture's (the linear minification filter never reads another level),
// without the time GLU spends on the levels below. Returns the new texture's
// name, or 0 (no texture) when the picture has no pixels or the memory for
// its level cannot be had. With lit, also the level's lit area.
std::uint32_t build_base_level_texture(const RgbImage& image, LitArea* lit = nullptr);

// Fills the scene's three texture slots from the hand-off images, in slot
// order, with base-level textures (they sample as GLU's mipmapped ones do and
// build in about two thirds of the time); a slot whose image does not load
// keeps the name 0, and the bolt slots get their lit areas. Each picture is
// freed as soon as its texture is built. Always returns true.
bool fill_texture_slots(Scene& scene, const ImageLoader& load_image);
