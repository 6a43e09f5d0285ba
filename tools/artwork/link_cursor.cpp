#include "link_cursor.h"

#include <algorithm>
#include <cmath>

#include "lightning.h"

namespace artwork {

namespace {

constexpr int kSamples = 8;      // per axis and pixel
constexpr double kOutline = 1.0; // pixels of black inside the hand's edge
constexpr double kCrease = 0.5;  // half the width of the lines between the fingers

// Distance from p to the segment a-b.
double ToSegment(Point p, Point a, Point b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double t =
        std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// Signed distances (negative inside) of the hand's parts.
double Capsule(Point p, Point a, Point b, double radius) {
    return ToSegment(p, a, b) - radius;
}

double RoundedBox(Point p, double left, double top, double right, double bottom, double radius) {
    const double qx = std::abs(p.x - (left + right) / 2) - ((right - left) / 2 - radius);
    const double qy = std::abs(p.y - (top + bottom) / 2) - ((bottom - top) / 2 - radius);
    return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0) -
           radius;
}

// A union that rounds the joint over about k pixels.
double SmoothUnion(double a, double b, double k) {
    const double h = std::clamp(0.5 + 0.5 * (b - a) / k, 0.0, 1.0);
    return b * (1 - h) + a * h - k * h * (1 - h);
}

// The index finger points up to the hotspot; the three other fingers are
// folded, their knuckles in a row beside it; the thumb lies along the left.
// Its straight edges lie on pixel edges, so that the outline is crisp.
double HandAt(Point p) {
    const double index = Capsule(p, {10.0, 3.0}, {10.0, 18}, 3.0);
    const double middle = Capsule(p, {15.0, 13.0}, {15.0, 19}, 3.0);
    const double ring = Capsule(p, {19.5, 14.5}, {19.5, 20}, 2.5);
    const double little = Capsule(p, {23.0, 16.0}, {23.0, 21}, 2.0);
    const double thumb = Capsule(p, {9.0, 22.5}, {3.4, 16.6}, 2.5);
    const double palm = std::min(RoundedBox(p, 7.0, 16.0, 25.0, 25.0, 2.0),
                                 RoundedBox(p, 9.0, 20.0, 25.0, 31.0, 2.5));
    return std::min({index, middle, ring, little, SmoothUnion(thumb, palm, 0.8)});
}

// The lines that part the folded fingers from each other and from the
// index finger, a little further down than their outlines meet.
bool OnCrease(Point p) {
    const struct {
        Point a, b;
    } creases[] = {
        {{12.5, 12.0}, {12.5, 19.0}},
        {{17.5, 13.0}, {17.5, 19.5}},
        {{21.5, 15.0}, {21.5, 20.0}},
    };
    return std::any_of(std::begin(creases), std::end(creases),
                       [p](const auto& c) { return ToSegment(p, c.a, c.b) < kCrease; });
}

struct Sample {
    Colour colour; // premultiplied by its opacity
    double alpha = 0;
};

Sample operator+(Sample a, Sample b) {
    return {a.colour + b.colour, a.alpha + b.alpha};
}

Sample operator*(Sample s, double k) {
    return {s.colour * k, s.alpha * k};
}

Sample SampleAt(double x, double y) {
    const Point p{x, y};
    const double d = HandAt(p);
    if (d > 0) {
        return {};
    }
    const bool black = d > -kOutline || OnCrease(p);
    return {black ? Colour{} : Rgb(255, 255, 255), 1};
}

} // namespace

IconPicture PaintLinkCursor() {
    IconPicture cursor{Canvas(kCursorSize, kCursorSize),
                       std::vector<double>(static_cast<std::size_t>(kCursorSize) * kCursorSize)};
    for (int y = 0; y < kCursorSize; ++y) {
        for (int x = 0; x < kCursorSize; ++x) {
            const Sample s = PixelMean(x, y, kSamples, SampleAt);
            cursor.alpha[static_cast<std::size_t>(y) * kCursorSize + x] = s.alpha;
            // Straight colour: the premultiplied mean divided by the opacity.
            cursor.colour.at(x, y) = s.alpha > 0 ? s.colour * (1.0 / s.alpha) : Colour{};
        }
    }
    return cursor;
}

} // namespace artwork
