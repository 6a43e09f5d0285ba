#include "radio_marks.h"

#include <algorithm>
#include <cmath>

namespace artwork {

namespace {

constexpr int kSamples = 8; // per axis and pixel
constexpr double kDotRadius = 2.3;

// The mark at a point: the panel outside the ring, the ring, a well lit from
// the bottom right, and the dot when there is one.
Colour MarkAt(double x, double y, bool selected) {
    const double dx = x - kRadioCentre;
    const double dy = y - kRadioCentre;
    const double r = std::hypot(dx, dy);
    if (r > kRadioOuterRadius) {
        return PanelTone();
    }
    if (r > kRadioInnerRadius) {
        // The ring, a shade darker on its upper left.
        return Mix(Rgb(52, 92, 140), Rgb(28, 70, 124), std::clamp(0.5 - (dx + dy) / 12, 0.0, 1.0));
    }
    // The well: grey at its upper left, white towards the lower right.
    const double t = std::clamp(0.5 + (dx + dy) / (4 * kRadioInnerRadius), 0.0, 1.0);
    Colour c = Mix(Rgb(206, 210, 218), Rgb(255, 255, 255), t);
    if (selected && r <= kDotRadius) {
        // A dot lit from the upper left, with a small highlight.
        const double hx = dx + 0.8;
        const double hy = dy + 0.9;
        const double light = std::exp(-(hx * hx + hy * hy) / 1.4);
        c = Mix(Rgb(16, 66, 150), Rgb(120, 186, 255), 0.25 + 0.75 * light);
    }
    return c;
}

Canvas PaintMark(bool selected) {
    Canvas canvas(kRadioSize, kRadioSize);
    for (int y = 0; y < kRadioSize; ++y) {
        for (int x = 0; x < kRadioSize; ++x) {
            canvas.at(x, y) = PixelMean(x, y, kSamples, [selected](double px, double py) {
                return MarkAt(px, py, selected);
            });
        }
    }
    return canvas;
}

} // namespace

Canvas PaintRadioUnselected() {
    return PaintMark(false);
}

Canvas PaintRadioSelected() {
    return PaintMark(true);
}

} // namespace artwork
