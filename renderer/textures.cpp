#include "textures.h"

#include <cstring>
#include <vector>

#include "gl_headers.h"
#include "glu_scale.h"
#include "scene.h"

namespace {

// A new texture, bound, with linear filters and tightly packed rows to read;
// returns its name and the unpack alignment to give back afterwards.
GLuint begin_texture(GLint* previous_alignment) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    // The picture's rows have no fill bytes: a width that is not a multiple
    // of 4 would otherwise come out skewed.
    glGetIntegerv(GL_UNPACK_ALIGNMENT, previous_alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    return name;
}

// GLU's test of a level: the proxy texture takes it when it fits.
bool proxy_level_fits(int width, int height) {
    glTexImage2D(GL_PROXY_TEXTURE_2D, 1, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    GLint fits = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &fits);
    return fits != 0;
}

} // namespace

std::uint32_t build_texture(const RgbImage& image) {
    GLint alignment = 4;
    const GLuint name = begin_texture(&alignment);
    // The result is not tested: a failed build leaves an imageless texture.
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE,
                      image.pixels.get());
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return name;
}

std::uint32_t build_base_level_texture(const RgbImage& image) {
    int width = 0;
    int height = 0;
    if (!image.pixels ||
        !glu_base_level_sides(image.width, image.height, proxy_level_fits, &width, &height)) {
        return 0;
    }
    const std::vector<std::uint8_t> level =
        scale_rgb_like_glu(image.pixels.get(), image.width, image.height, width, height);
    if (level.empty()) {
        return 0; // no memory for the level: the slot stays empty, as for a failed image
    }
    GLint alignment = 4;
    const GLuint name = begin_texture(&alignment);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, level.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return name;
}

bool fill_texture_slots(Scene& scene, ImageLoader load_image) {
    for (int slot = 0; slot < 3; ++slot) {
        std::optional<RgbImage> image = load_image(slot_images[slot]);
        if (image) {
            scene.texture_slots[slot] = build_base_level_texture(*image);
        }
    }
    return true;
}
