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

namespace {

// The first and last lit texel of a dimension, -1 for none.
struct LitSpan {
    int first = -1;
    int last = -1;
    void add(int at) {
        first = first < 0 ? at : first;
        last = at;
    }
};

// A span as texture coordinates with a texel's margin each side, or the
// whole range where the margin would reach an edge.
void span_area(const LitSpan& span, int size, float* from, float* to) {
    if (span.first < 0) {
        *from = *to = 0.0f;
    } else if (span.first >= 2 && span.last + 2 < size) {
        *from = static_cast<float>(span.first - 1) / static_cast<float>(size);
        *to = static_cast<float>(span.last + 2) / static_cast<float>(size);
    }
}

} // namespace

LitArea lit_area(const std::uint8_t* rgb, int width, int height) {
    LitSpan columns;
    LitSpan rows;
    std::vector<bool> lit_column(static_cast<std::size_t>(width), false);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = rgb + static_cast<std::size_t>(y) * width * 3;
        bool lit_row = false;
        for (int x = 0; x < width; ++x) {
            if ((row[x * 3] | row[x * 3 + 1] | row[x * 3 + 2]) != 0) {
                lit_row = true;
                lit_column[static_cast<std::size_t>(x)] = true;
            }
        }
        if (lit_row) {
            rows.add(y);
        }
    }
    for (int x = 0; x < width; ++x) {
        if (lit_column[static_cast<std::size_t>(x)]) {
            columns.add(x);
        }
    }
    LitArea area;
    span_area(columns, width, &area.s0, &area.s1);
    span_area(rows, height, &area.t0, &area.t1);
    return area;
}

std::uint32_t build_base_level_texture(const RgbImage& image, LitArea* lit) {
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
    if (lit != nullptr) {
        *lit = lit_area(level.data(), width, height);
    }
    GLint alignment = 4;
    const GLuint name = begin_texture(&alignment);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, level.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return name;
}

bool fill_texture_slots(Scene& scene, const ImageLoader& load_image) {
    for (int slot = 0; slot < 3; ++slot) {
        std::optional<RgbImage> image = load_image(slot_images[slot]);
        if (image) {
            LitArea* lit = slot == floor_texture_slot ? nullptr : &scene.lit_areas[slot];
            scene.texture_slots[slot] = build_base_level_texture(*image, lit);
        }
    }
    return true;
}
