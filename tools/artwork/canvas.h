#pragma once

// A floating-point RGB picture to paint on, and the small random source the
// paintings draw from. Everything is deterministic: the same program makes
// the same bytes, so the committed pictures can be regenerated and compared.

#include <cstdint>
#include <string>
#include <vector>

namespace artwork {

struct Colour {
    double r = 0, g = 0, b = 0; // 0..1; values above 1 are clipped when written
};

Colour operator+(Colour a, Colour b);
Colour operator*(Colour a, double k);
Colour Mix(Colour a, Colour b, double t); // a at t = 0, b at t = 1

// A colour from 0..255 channel values.
Colour Rgb(int r, int g, int b);

class Canvas {
public:
    Canvas(int width, int height, Colour fill = {});

    int width() const { return m_width; }
    int height() const { return m_height; }
    Colour& at(int x, int y) { return m_pixels[static_cast<std::size_t>(y) * m_width + x]; }
    const Colour& at(int x, int y) const {
        return m_pixels[static_cast<std::size_t>(y) * m_width + x];
    }

    // The picture as a 24-bit BMP file (bottom-up rows, clipped channels).
    std::vector<std::uint8_t> ToBmp() const;

private:
    int m_width;
    int m_height;
    std::vector<Colour> m_pixels;
};

// xorshift32: the same numbers on every platform and compiler.
class Random {
public:
    explicit Random(std::uint32_t seed) : m_state(seed == 0 ? 0x9E3779B9u : seed) {}
    std::uint32_t Next();
    double Uniform(double low, double high); // [low, high)
    double Gaussian();                       // mean 0, deviation 1 (sum of uniforms)

private:
    std::uint32_t m_state;
};

// Smooth value noise in 0..1 at (x, y), with octaves of detail.
double FractalNoise(double x, double y, int octaves, std::uint32_t seed);

// The same on a tile: u and v run from 0 to 1 across it, and the noise
// repeats seamlessly at both edges. The coarsest detail has cells_x by
// cells_y cells; each further octave has twice as many.
double TileableNoise(double u, double v, int cells_x, int cells_y, int octaves, std::uint32_t seed);

double SmoothStep(double edge0, double edge1, double x);

// The mean of paint(px, py) over n x n points spread evenly across the pixel
// at (x, y), for smooth edges. The result type needs + and * by a number.
template <typename Paint>
auto PixelMean(int x, int y, int n, Paint paint) {
    decltype(paint(0.0, 0.0)) sum{};
    for (int sy = 0; sy < n; ++sy) {
        for (int sx = 0; sx < n; ++sx) {
            sum = sum + paint(x + (sx + 0.5) / n, y + (sy + 0.5) / n);
        }
    }
    return sum * (1.0 / (n * n));
}

bool WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace artwork
