#include "check_marks.h"

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

constexpr int kSamples = 8; // per axis and pixel
constexpr double kCornerRadius = 1.5;
constexpr double kTickHalfWidth = 0.85;

// Distance from a point to the segment from (ax, ay) to (bx, by).
double SegmentDistance(double x, double y, double ax, double ay, double bx, double by) {
    const double dx = bx - ax;
    const double dy = by - ay;
    const double t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(x - ax - t * dx, y - ay - t * dy);
}

// How far inside a rounded square inset by inset the point lies (negative outside).
double Inside(double x, double y, double inset) {
    const double low = inset + kCornerRadius;
    const double high = kCheckSize - inset - kCornerRadius;
    const double qx = std::max({low - x, x - high, 0.0});
    const double qy = std::max({low - y, y - high, 0.0});
    const double corner = kCornerRadius - std::hypot(qx, qy);
    const double edge =
        std::min({x - inset, y - inset, kCheckSize - inset - x, kCheckSize - inset - y});
    return std::min(corner, edge);
}

// The mark at a point: the panel outside the border, the border, a well lit
// from the bottom right, and the tick when there is one.
Colour MarkAt(double x, double y, bool checked) {
    if (Inside(x, y, kCheckOuterInset) < 0) {
        return PanelTone();
    }
    const double dx = x - kCheckSize / 2.0;
    const double dy = y - kCheckSize / 2.0;
    if (Inside(x, y, kCheckInnerInset) < 0) {
        // The border, a shade darker on its upper left, as the radio's ring.
        return Mix(Rgb(52, 92, 140), Rgb(28, 70, 124), std::clamp(0.5 - (dx + dy) / 12, 0.0, 1.0));
    }
    const double t = std::clamp(0.5 + (dx + dy) / 20, 0.0, 1.0);
    Colour c = Mix(Rgb(206, 210, 218), Rgb(255, 255, 255), t);
    if (checked && std::min(SegmentDistance(x, y, 3.0, 6.2, 5.2, 8.6),
                            SegmentDistance(x, y, 5.2, 8.6, 9.2, 3.4)) <= kTickHalfWidth) {
        // The radio dot's blue, lighter towards the tick's upper end.
        c = Mix(Rgb(16, 66, 150), Rgb(90, 160, 240), std::clamp(0.6 - dy / 8, 0.0, 1.0));
    }
    return c;
}

Canvas PaintMark(bool checked) {
    Canvas canvas(kCheckSize, kCheckSize);
    for (int y = 0; y < kCheckSize; ++y) {
        for (int x = 0; x < kCheckSize; ++x) {
            canvas.at(x, y) = PixelMean(x, y, kSamples, [checked](double px, double py) {
                return MarkAt(px, py, checked);
            });
        }
    }
    return canvas;
}

} // namespace

Canvas PaintCheckUnchecked() {
    return PaintMark(false);
}

Canvas PaintCheckChecked() {
    return PaintMark(true);
}

} // namespace artwork
