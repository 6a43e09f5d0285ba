#pragma once

// An offscreen OpenGL context for native drawing tests: Mesa renders into
// memory, the test reads the pixels back. The context starts with the
// renderer's viewport, projection and fixed GL state, so drawing code runs
// exactly as it does in the program.

#include <GL/osmesa.h>

#include "bmp_decoder.h"

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace gl_test {

struct Rgba {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    int brightest() const { return r > g ? (r > b ? r : b) : (g > b ? g : b); }
};

// A frame read back from the context, top row first (as on the screen).
class Frame {
public:
    Frame(int width, int height, std::vector<std::uint8_t> rgba)
        : m_width(width), m_height(height), m_rgba(std::move(rgba)) {}

    int width() const { return m_width; }
    int height() const { return m_height; }
    // The pixel at column x of row y, y = 0 at the top; black outside the frame.
    Rgba at(int x, int y) const;
    // How many pixels of row y have a channel above threshold.
    int lit_in_row(int y, int threshold) const;
    bool operator==(const Frame& other) const { return m_rgba == other.m_rgba; }

private:
    int m_width;
    int m_height;
    std::vector<std::uint8_t> m_rgba;
};

// Creates an RGBA context with a 16-bit depth buffer over a buffer of its
// own, makes it current, and runs resize_scene and set_fixed_gl_state.
// One at a time: the context is current until it is destroyed.
class OsmesaContext {
public:
    explicit OsmesaContext(int width = 1024, int height = 768);
    ~OsmesaContext();
    OsmesaContext(const OsmesaContext&) = delete;
    OsmesaContext& operator=(const OsmesaContext&) = delete;

    // False when Mesa could not create or bind the context.
    bool ready() const { return m_ready; }
    int width() const { return m_width; }
    int height() const { return m_height; }

    // Finishes drawing and reads the whole colour buffer.
    Frame read_frame() const;

private:
    int m_width;
    int m_height;
    OSMesaContext m_context = nullptr;
    std::vector<std::uint8_t> m_buffer;
    bool m_ready = false;
};

// Level 0 of the texture with this name as RGB, rows tightly packed; its
// sides go to width and height. Leaves the texture bound.
std::vector<std::uint8_t> read_base_level(std::uint32_t texture, int* width, int* height);

// A buffer swap for draw_frame that does nothing: the frame stays in the buffer.
void no_swap();

// A picture of width x height whose pixel (x, y), y = 0 the bottom row, is
// colour(x, y) as 0xRRGGBB.
RgbImage make_image(int width, int height, const std::function<std::uint32_t(int, int)>& colour);

} // namespace gl_test
