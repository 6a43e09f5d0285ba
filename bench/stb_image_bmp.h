#pragma once

// stb_image's BMP loader behind two plain functions, so that its header-only
// implementation is compiled once, apart from our warning settings.

extern "C" {
// Decodes a BMP file in memory to 8-bit RGB, top row first; null on failure.
unsigned char* stb_load_bmp_rgb(const unsigned char* file, int size, int* width, int* height,
                                int* channels);
void stb_free_image(unsigned char* pixels);
}
