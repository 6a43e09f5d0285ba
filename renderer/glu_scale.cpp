#include "glu_scale.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <exception>

namespace {

constexpr int kComponents = 3;
constexpr std::int64_t kLargestIntPower = std::int64_t{1} << 30;

// The picture as GLU addresses it: rows back to back, byte offsets that may
// run past a row's end into the next row.
class PackedRgb {
public:
    PackedRgb(const std::uint8_t* bytes, int width, int height)
        : m_bytes(bytes), m_row(static_cast<long long>(width) * kComponents),
          m_size(m_row * height) {}

    // Component k of column x in row y, as a float.
    float at(long long x, long long y, int k) const {
        const long long offset = y * m_row + x * kComponents + k;
        return offset < m_size ? static_cast<float>(m_bytes[offset]) : 0.0f;
    }

private:
    const std::uint8_t* m_bytes;
    long long m_row;
    long long m_size;
};

void halve(const PackedRgb& in, int out_width, int out_height, std::uint8_t* out) {
    for (int y = 0; y < out_height; ++y) {
        for (int x = 0; x < out_width; ++x) {
            for (int k = 0; k < kComponents; ++k) {
                const int sum =
                    static_cast<int>(in.at(2 * x, 2 * y, k) + in.at(2 * x + 1, 2 * y, k) +
                                     in.at(2 * x, 2 * y + 1, k) + in.at(2 * x + 1, 2 * y + 1, k));
                *out++ = static_cast<std::uint8_t>((sum + 2) / 4);
            }
        }
    }
}

// One side of a box: where it starts and ends, in whole pixels and fractions.
struct BoxSide {
    int low = 0;
    float low_fraction = 0.0f;
    int high = 0;
    float high_fraction = 0.0f;

    void advance(int step, float step_fraction) {
        low = high;
        low_fraction = high_fraction;
        high += step;
        high_fraction += step_fraction;
        if (high_fraction > 1.0f) {
            high_fraction -= 1.0f;
            ++high;
        }
    }
};

// The weighted sum of the input pixels under one output pixel's box, added
// up in GLU's order.
void sum_box(const PackedRgb& in, const BoxSide& bx, const BoxSide& by, float totals[kComponents]) {
    if (by.high > by.low && bx.high > bx.low) {
        // The box's first row, its last row, then its side columns.
        const int rows[2] = {by.low, by.high};
        const float row_weights[2] = {1.0f - by.low_fraction, by.high_fraction};
        for (int r = 0; r < 2; ++r) {
            const float weight = row_weights[r];
            const float left = weight * (1.0f - bx.low_fraction);
            const float right = weight * bx.high_fraction;
            for (int k = 0; k < kComponents; ++k) {
                totals[k] += in.at(bx.low, rows[r], k) * left;
            }
            for (int x = bx.low + 1; x < bx.high; ++x) {
                for (int k = 0; k < kComponents; ++k) {
                    totals[k] += in.at(x, rows[r], k) * weight;
                }
            }
            for (int k = 0; k < kComponents; ++k) {
                totals[k] += in.at(bx.high, rows[r], k) * right;
            }
        }
        long long step = 0; // GLU's side columns move one pixel right per row
        for (int y = by.low + 1; y < by.high; ++y, ++step) {
            for (int k = 0; k < kComponents; ++k) {
                totals[k] += in.at(bx.low + step, y, k) * (1.0f - bx.low_fraction) +
                             in.at(bx.high + step, y, k) * bx.high_fraction;
            }
        }
    } else if (by.high > by.low) {
        const float width = bx.high_fraction - bx.low_fraction;
        const float first = (1.0f - by.low_fraction) * width;
        for (int k = 0; k < kComponents; ++k) {
            totals[k] += in.at(bx.low, by.low, k) * first;
        }
        for (int y = by.low + 1; y < by.high; ++y) {
            for (int k = 0; k < kComponents; ++k) {
                totals[k] += in.at(bx.low, y, k) * width;
            }
        }
        const float last = width * by.high_fraction;
        for (int k = 0; k < kComponents; ++k) {
            totals[k] += in.at(bx.low, by.high, k) * last;
        }
    } else if (bx.high > bx.low) {
        const float height = by.high_fraction - by.low_fraction;
        const float first = (1.0f - bx.low_fraction) * height;
        for (int k = 0; k < kComponents; ++k) {
            totals[k] += in.at(bx.low, by.low, k) * first;
        }
        for (int x = bx.low + 1; x < bx.high; ++x) {
            for (int k = 0; k < kComponents; ++k) {
                totals[k] += in.at(x, by.low, k) * height;
            }
        }
        const float last = height * bx.high_fraction;
        for (int k = 0; k < kComponents; ++k) {
            totals[k] += in.at(bx.high, by.low, k) * last;
        }
    } else {
        const float weight =
            (by.high_fraction - by.low_fraction) * (bx.high_fraction - bx.low_fraction);
        for (int k = 0; k < kComponents; ++k) {
            totals[k] += in.at(bx.low, by.low, k) * weight;
        }
    }
    // The whole pixels inside the box.
    for (int y = by.low + 1; y < by.high; ++y) {
        for (int x = bx.low + 1; x < bx.high; ++x) {
            for (int k = 0; k < kComponents; ++k) {
                totals[k] += in.at(x, y, k);
            }
        }
    }
}

void box_filter(const PackedRgb& in, int in_width, int in_height, int out_width, int out_height,
                std::uint8_t* out) {
    const float step_y = static_cast<float>(in_height) / static_cast<float>(out_height);
    const float step_x = static_cast<float>(in_width) / static_cast<float>(out_width);
    const int step_y_whole = static_cast<int>(std::floor(step_y));
    const float step_y_fraction = step_y - static_cast<float>(step_y_whole);
    const int step_x_whole = static_cast<int>(std::floor(step_x));
    const float step_x_fraction = step_x - static_cast<float>(step_x_whole);
    const float area = step_x * step_y;

    BoxSide by{0, 0.0f, step_y_whole, step_y_fraction};
    for (int y = 0; y < out_height; ++y) {
        if (by.high >= in_height) {
            by.high = in_height - 1;
        }
        BoxSide bx{0, 0.0f, step_x_whole, step_x_fraction};
        for (int x = 0; x < out_width; ++x) {
            float totals[kComponents] = {0.0f, 0.0f, 0.0f};
            sum_box(in, bx, by, totals);
            for (int k = 0; k < kComponents; ++k) {
                *out++ = static_cast<std::uint8_t>(totals[k] / area);
            }
            bx.advance(step_x_whole, step_x_fraction);
        }
        by.advance(step_y_whole, step_y_fraction);
    }
}

} // namespace

int glu_nearest_power_of_two(int side) {
    if (side <= 0) {
        return -1;
    }
    unsigned value = static_cast<unsigned>(side);
    std::int64_t power = 1;
    for (;;) {
        if (value == 1) {
            break;
        }
        if (value == 3) {
            power *= 4;
            break;
        }
        value >>= 1;
        power *= 2;
    }
    return static_cast<int>(std::min<std::int64_t>(power, kLargestIntPower));
}

bool glu_base_level_sides(int width, int height, LevelFits level_fits, int* out_width,
                          int* out_height) {
    int w = glu_nearest_power_of_two(width);
    int h = glu_nearest_power_of_two(height);
    if (w <= 0 || h <= 0) {
        return false;
    }
    // Both sides are powers of two, so halving reaches 1 x 1.
    while (w > 1 || h > 1) {
        const int below_w = w > 1 ? w / 2 : w;
        const int below_h = h > 1 ? h / 2 : h;
        if (level_fits(below_w, below_h)) {
            break;
        }
        w = below_w;
        h = below_h;
    }
    *out_width = w;
    *out_height = h;
    return true;
}

std::vector<std::uint8_t> scale_rgb_like_glu(const std::uint8_t* in, int in_width, int in_height,
                                             int out_width, int out_height) {
    if (in_width <= 0 || in_height <= 0 || out_width <= 0 || out_height <= 0) {
        return {};
    }
    const PackedRgb picture(in, in_width, in_height);
    std::vector<std::uint8_t> out;
    try {
        out.resize(static_cast<std::size_t>(out_width) * static_cast<std::size_t>(out_height) *
                   kComponents);
    } catch (const std::exception&) {
        // NOTE: a size the allocator refuses throws (bad_alloc, or length_error
        // past the vector's largest size); the picture then has no level.
        return {};
    }
    if (in_width == out_width && in_height == out_height) {
        out.assign(in, in + out.size());
    } else if (in_width == 2LL * out_width && in_height == 2LL * out_height) {
        halve(picture, out_width, out_height, out.data());
    } else {
        box_filter(picture, in_width, in_height, out_width, out_height, out.data());
    }
    return out;
}
