#include "osmesa_context.h"

#include <GL/gl.h>

#include <algorithm>
#include <utility>

#include "scene.h"

namespace gl_test {

Rgba Frame::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        return {};
    }
    const std::uint8_t* p = m_rgba.data() + (static_cast<std::size_t>(y) * m_width + x) * 4;
    return Rgba{p[0], p[1], p[2], p[3]};
}

int Frame::lit_in_row(int y, int threshold) const {
    int count = 0;
    for (int x = 0; x < m_width; ++x) {
        count += at(x, y).brightest() > threshold ? 1 : 0;
    }
    return count;
}

OsmesaContext::OsmesaContext(int width, int height)
    : m_width(width), m_height(height), m_buffer(static_cast<std::size_t>(width) * height * 4, 0) {
    m_context = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
    if (m_context == nullptr) {
        return;
    }
    if (!OSMesaMakeCurrent(m_context, m_buffer.data(), GL_UNSIGNED_BYTE, width, height)) {
        return;
    }
    resize_scene(width, height);
    set_fixed_gl_state();
    m_ready = true;
}

OsmesaContext::~OsmesaContext() {
    if (m_context != nullptr) {
        OSMesaDestroyContext(m_context);
    }
}

Frame OsmesaContext::read_frame() const {
    glFinish();
    std::vector<std::uint8_t> bottom_up(m_buffer.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, m_width, m_height, GL_RGBA, GL_UNSIGNED_BYTE, bottom_up.data());
    // OpenGL's rows run bottom-up; a frame's run as the screen shows them.
    std::vector<std::uint8_t> top_down(bottom_up.size());
    const std::size_t row = static_cast<std::size_t>(m_width) * 4;
    for (int y = 0; y < m_height; ++y) {
        std::copy_n(bottom_up.data() + row * (m_height - 1 - y), row, top_down.data() + row * y);
    }
    return Frame(m_width, m_height, std::move(top_down));
}

std::vector<std::uint8_t> read_base_level(std::uint32_t texture, int* width, int* height) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, height);
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(*width) * *height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

void no_swap() {}

RgbImage make_image(int width, int height, const std::function<std::uint32_t(int, int)>& colour) {
    RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.reset(new std::uint8_t[image.size_bytes()]);
    std::uint8_t* p = image.pixels.get();
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, p += 3) {
            const std::uint32_t c = colour(x, y);
            p[0] = static_cast<std::uint8_t>(c >> 16);
            p[1] = static_cast<std::uint8_t>(c >> 8);
            p[2] = static_cast<std::uint8_t>(c);
        }
    }
    return image;
}

} // namespace gl_test
