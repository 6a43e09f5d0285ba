#pragma once

// Reading the hand-off images from the user's hand-off folder and turning
// them into the scene's textures.

#include <optional>
#include <string>

#include "../bmp_decoder.h"

// Maps the opened file read-only and decodes it. Every failure shows its
// error text, naming path, in a modal box captioned "Error", owned by the
// focused window, and gives nothing.
std::optional<RgbImage> load_bmp(void* file, const std::wstring& path);

// Hand-off image number image from the user's hand-off folder. Nothing,
// silently, when the folder or the file cannot be opened safely: it is
// missing, a link (a hard link too), a junction or another reparse point,
// anything but a plain file on a disk directly in the plain folder. A plain
// file held open by a program that writes it gives nothing too, after
// load_bmp's box for a file that cannot be opened. Otherwise load_bmp.
std::optional<RgbImage> load_image(int image);

// Fills the program's texture slots from the three hand-off images (the
// floor only when the run wrote its photograph, see g_options). Needs the GL
// context to be current. Always returns true.
bool load_textures();
