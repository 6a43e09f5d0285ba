#pragma once

// Reading the hand-off images from disk and turning them into the scene's textures.

#include <optional>

#include "../bmp_decoder.h"

// Opens and maps the file read-only and decodes it. Every failure shows its
// error text in a modal box captioned "Error", owned by the focused window,
// and gives nothing.
std::optional<RgbImage> load_bmp(const char* path);

// Nothing, silently, when there is no path or the file cannot be opened for
// reading (normally: it does not exist); otherwise load_bmp.
std::optional<RgbImage> load_image(const char* path);

// Fills the program's texture slots from the three hand-off images. Needs
// the GL context to be current. Always returns true.
bool load_textures();
