#include "command_frames.h"

#include <algorithm>

namespace artwork {

namespace {

constexpr int kRight = kFrameWidth - 1;
constexpr int kBottom = kFrameHeight - 1;

// A vertical run from one colour at the band's top (row 4) to another at its bottom (row 20).
struct Run {
    Colour top, bottom;
    Colour At(int y) const { return Mix(top, bottom, std::clamp((y - 4) / 16.0, 0.0, 1.0)); }
};

// A frame with its outline on ring `outline` (the distance from the edge).
struct FrameStyle {
    int outline = 1;
    Colour line;
    Colour corner;                 // the outline's corner pixel, blended into the background
    Colour corner_shoulder;        // the outline pixels beside it
    bool dialog_background = true; // the dialog's tones outside, or `outside` flat
    Colour outside;
    // The band: two rows at the top and bottom, two columns at each side
    // ([0] next to the outline, [1] inside it), and the face inside.
    Colour top[2], bottom[2];
    Run left[2], right[2];
    Colour face;
    bool white_corner = false; // the band's top-left pixel
};

int Ring(int x, int y) {
    return std::min({x, y, kRight - x, kBottom - y});
}

// The outline pixels at and beside each of its four corners.
bool IsCorner(int x, int y, int ring) {
    return (x == ring || x == kRight - ring) && (y == ring || y == kBottom - ring);
}

bool IsShoulder(int x, int y, int ring) {
    const bool near_x = x == ring + 1 || x == kRight - ring - 1 || x == ring || x == kRight - ring;
    const bool near_y =
        y == ring + 1 || y == kBottom - ring - 1 || y == ring || y == kBottom - ring;
    return near_x && near_y && !IsCorner(x, y, ring);
}

Colour BandAt(const FrameStyle& s, int x, int y, int depth) {
    const int i = depth - 1; // 0 next to the outline
    if (y == s.outline + depth) {
        return s.white_corner && x == s.outline + 1 && i == 0 ? Rgb(255, 255, 255) : s.top[i];
    }
    if (y == kBottom - s.outline - depth) {
        return s.bottom[i];
    }
    if (x == s.outline + depth) {
        return s.left[i].At(y);
    }
    return s.right[i].At(y);
}

Canvas Paint(const FrameStyle& s) {
    Canvas canvas(kFrameWidth, kFrameHeight);
    for (int y = 0; y < kFrameHeight; ++y) {
        for (int x = 0; x < kFrameWidth; ++x) {
            const int ring = Ring(x, y);
            Colour c;
            if (ring < s.outline) {
                c = s.dialog_background ? Mix(Rgb(224, 220, 201), Rgb(248, 247, 240), y / 24.0)
                                        : s.outside;
            } else if (ring == s.outline) {
                c = IsCorner(x, y, ring) ? s.corner : s.line;
            } else if (ring <= s.outline + 2) {
                c = BandAt(s, x, y, ring - s.outline);
            } else {
                c = s.face;
            }
            if (ring == s.outline && IsShoulder(x, y, ring)) {
                c = s.corner_shoulder;
            }
            canvas.at(x, y) = c;
        }
    }
    return canvas;
}

FrameStyle BlueOutline() {
    FrameStyle s;
    s.line = Rgb(0, 60, 116);
    s.corner = Rgb(122, 149, 168);
    s.corner_shoulder = Rgb(37, 87, 131);
    s.face = Rgb(236, 235, 238);
    return s;
}

} // namespace

Canvas PaintNormalFrame() {
    FrameStyle s = BlueOutline();
    s.top[0] = s.top[1] = Rgb(243, 243, 238);
    s.white_corner = true;
    s.bottom[0] = Rgb(214, 208, 197); // row 22, on the outline
    s.bottom[1] = Rgb(225, 222, 213); // row 21, above it
    s.left[0] = s.left[1] = Run{Rgb(253, 253, 252), Rgb(240, 240, 235)};
    s.right[0] = Run{Rgb(254, 254, 253), Rgb(234, 232, 225)};
    s.right[1] = Run{Rgb(246, 244, 242), Rgb(228, 226, 217)};
    return Paint(s);
}

Canvas PaintHighLightFrame() {
    FrameStyle s = BlueOutline();
    s.top[0] = Rgb(255, 240, 207);   // row 2
    s.top[1] = Rgb(253, 216, 137);   // row 3
    s.bottom[0] = Rgb(229, 151, 0);  // row 22
    s.bottom[1] = Rgb(248, 178, 48); // row 21
    s.left[0] = s.right[0] = Run{Rgb(254, 223, 154), Rgb(249, 180, 53)};
    s.left[1] = s.right[1] = Run{Rgb(252, 210, 121), Rgb(248, 181, 53)};
    return Paint(s);
}

Canvas PaintSelectedFrame() {
    FrameStyle s = BlueOutline();
    s.top[0] = s.top[1] = Rgb(206, 231, 255);
    s.bottom[0] = s.bottom[1] = Rgb(105, 130, 238);
    s.left[0] = s.left[1] = s.right[0] = s.right[1] = Run{Rgb(183, 208, 244), Rgb(139, 173, 228)};
    return Paint(s);
}

Canvas PaintPressedFrame() {
    FrameStyle s = BlueOutline();
    s.outline = 2;
    s.dialog_background = false;
    s.outside = Rgb(236, 233, 216);
    s.corner = Mix(s.line, s.outside, 0.55);
    s.face = Rgb(226, 225, 217);
    // One row and column of band inside the smaller outline: shadowed at the
    // top and left, light at the bottom and right.
    s.top[0] = Rgb(208, 203, 191);
    s.bottom[0] = Rgb(242, 242, 239);
    s.left[0] = Run{Rgb(216, 212, 203), Rgb(216, 212, 203)};
    s.right[0] = Run{Rgb(242, 242, 239), Rgb(242, 242, 239)};
    s.top[1] = s.bottom[1] = s.face;
    s.left[1] = s.right[1] = Run{s.face, s.face};
    return Paint(s);
}

Canvas PaintDisableFrame() {
    FrameStyle s;
    s.line = Rgb(201, 199, 186);
    s.corner = Rgb(216, 213, 199);
    s.corner_shoulder = Rgb(203, 201, 188);
    s.dialog_background = false;
    s.outside = Rgb(236, 233, 216);
    const Colour flat = Rgb(245, 244, 234);
    s.top[0] = s.top[1] = s.bottom[0] = s.bottom[1] = s.face = flat;
    s.left[0] = s.left[1] = s.right[0] = s.right[1] = Run{flat, flat};
    return Paint(s);
}

} // namespace artwork
