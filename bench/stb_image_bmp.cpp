#include "stb_image_bmp.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#include <stb/stb_image.h>

unsigned char* stb_load_bmp_rgb(const unsigned char* file, int size, int* width, int* height,
                                int* channels) {
    return stbi_load_from_memory(file, size, width, height, channels, 3);
}

void stb_free_image(unsigned char* pixels) {
    stbi_image_free(pixels);
}
