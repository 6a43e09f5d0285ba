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

// The base level's sides as GLU chooses them: the nearest powers of two,
// halved together until the proxy texture says the level below them fits.
void glu_base_level_size(int width, int height, int* out_width, int* out_height) {
    int w = glu_nearest_power_of_two(width);
    int h = glu_nearest_power_of_two(height);
    for (;;) {
        const int below_w = w > 1 ? w / 2 : w;
        const int below_h = h > 1 ? h / 2 : h;
        glTexImage2D(GL_PROXY_TEXTURE_2D, 1, 3, below_w, below_h, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     nullptr);
        GLint fits = 0;
        glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &fits);
        if (fits != 0 || (w == 1 && h == 1)) {
            break;
        }
        w = below_w;
        h = below_h;
    }
    *out_width = w;
    *out_height = h;
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
    GLint alignment = 4;
    const GLuint name = begin_texture(&alignment);
    int width = 0;
    int height = 0;
    glu_base_level_size(image.width, image.height, &width, &height);
    const std::vector<std::uint8_t> level =
        scale_rgb_like_glu(image.pixels.get(), image.width, image.height, width, height);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, level.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return name;
}

bool fill_texture_slots(Scene& scene, ImageLoader load_image) {
    for (int slot = 0; slot < 3; ++slot) {
        char path[256] = {};
        std::memcpy(path, image_paths[slot], sizeof(image_paths[slot]));
        std::optional<RgbImage> image = load_image(path);
        if (image) {
            scene.texture_slots[slot] = build_base_level_texture(*image);
        }
    }
    return true;
}
