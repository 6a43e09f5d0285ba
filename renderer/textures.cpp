#include "textures.h"

#include <cstring>

#include "gl_headers.h"
#include "scene.h"

std::uint32_t build_texture(const RgbImage& image) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    // The picture's rows have no fill bytes: a width that is not a multiple
    // of 4 would otherwise come out skewed.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // The result is not tested: a failed build leaves an imageless texture.
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE,
                      image.pixels.get());
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return name;
}

bool fill_texture_slots(Scene& scene, ImageLoader load_image) {
    for (int slot = 0; slot < 3; ++slot) {
        char path[256] = {};
        std::memcpy(path, image_paths[slot], sizeof(image_paths[slot]));
        std::optional<RgbImage> image = load_image(path);
        if (image) {
            scene.texture_slots[slot] = build_texture(*image);
        }
    }
    return true;
}
