#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "runtime/bmp_writer.h"

namespace artwork {

Colour operator+(Colour a, Colour b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}

Colour operator*(Colour a, double k) {
    return {a.r * k, a.g * k, a.b * k};
}

Colour Mix(Colour a, Colour b, double t) {
    return a * (1.0 - t) + b * t;
}

Colour Rgb(int r, int g, int b) {
    return {r / 255.0, g / 255.0, b / 255.0};
}

Canvas::Canvas(int width, int height, Colour fill)
    : m_width(width), m_height(height),
      m_pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

std::vector<std::uint8_t> Canvas::ToBmp() const {
    runtime::BmpPixels pixels;
    pixels.width = m_width;
    pixels.height = m_height;
    pixels.bits_per_pixel = 24;
    const std::size_t stride = runtime::BmpRowStride(m_width, 24);
    pixels.rows.assign(stride * static_cast<std::size_t>(m_height), 0);
    const auto byte = [](double v) {
        return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
    };
    for (int y = 0; y < m_height; ++y) {
        // The file's first row is the picture's bottom row.
        std::uint8_t* row =
            pixels.rows.data() + stride * static_cast<std::size_t>(m_height - 1 - y);
        for (int x = 0; x < m_width; ++x) {
            const Colour& c = at(x, y);
            row[x * 3 + 0] = byte(c.b);
            row[x * 3 + 1] = byte(c.g);
            row[x * 3 + 2] = byte(c.r);
        }
    }
    return runtime::EncodeBmp(pixels).value_or(std::vector<std::uint8_t>{});
}

std::uint32_t Random::Next() {
    m_state ^= m_state << 13;
    m_state ^= m_state >> 17;
    m_state ^= m_state << 5;
    return m_state;
}

double Random::Uniform(double low, double high) {
    return low + (high - low) * (Next() / 4294967296.0);
}

double Random::Gaussian() {
    double sum = 0;
    for (int i = 0; i < 6; ++i) {
        sum += Uniform(0.0, 1.0);
    }
    return (sum - 3.0) * std::sqrt(2.0); // six uniforms have variance 1/2
}

namespace {

double Lattice(int x, int y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / 16777216.0;
}

// Lattice indices wrap at `period` cells when it is positive.
int Wrap(int i, int period) {
    return period > 0 ? ((i % period) + period) % period : i;
}

double ValueNoise(double x, double y, std::uint32_t seed, int period_x = 0, int period_y = 0) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const double tx = SmoothStep(0, 1, x - fx);
    const double ty = SmoothStep(0, 1, y - fy);
    const int x0 = Wrap(ix, period_x);
    const int x1 = Wrap(ix + 1, period_x);
    const int y0 = Wrap(iy, period_y);
    const int y1 = Wrap(iy + 1, period_y);
    const double top = Lattice(x0, y0, seed) * (1 - tx) + Lattice(x1, y0, seed) * tx;
    const double bottom = Lattice(x0, y1, seed) * (1 - tx) + Lattice(x1, y1, seed) * tx;
    return top * (1 - ty) + bottom * ty;
}

} // namespace

double FractalNoise(double x, double y, int octaves, std::uint32_t seed) {
    double sum = 0;
    double amplitude = 0.5;
    double total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += ValueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 101u) * amplitude;
        total += amplitude;
        x *= 2.03;
        y *= 2.03;
        amplitude *= 0.5;
    }
    return sum / total;
}

double TileableNoise(double u, double v, int cells_x, int cells_y, int octaves,
                     std::uint32_t seed) {
    double sum = 0;
    double amplitude = 0.5;
    double total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += ValueNoise(u * cells_x, v * cells_y, seed + static_cast<std::uint32_t>(i) * 101u,
                          cells_x, cells_y) *
               amplitude;
        total += amplitude;
        cells_x *= 2;
        cells_y *= 2;
        amplitude *= 0.5;
    }
    return sum / total;
}

double SmoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

} // namespace artwork
