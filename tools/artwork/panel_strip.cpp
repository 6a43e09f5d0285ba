#include "panel_strip.h"

namespace artwork {

namespace {

// The texture around the panel's tone at a pixel of the strip, in 0..255
// levels: a soft grain a few pixels across and a finer one, both periodic
// over the strip. Nothing in it is larger than a few pixels, so that the
// strip's repeats every 20 rows make no pattern on the panel.
double TextureAt(int x, int y) {
    const double u = (x + 0.5) / kStripWidth;
    const double v = (y + 0.5) / kStripHeight;
    const double soft = TileableNoise(u, v, kStripWidth / 4, kStripHeight / 4, 2, 41) - 0.5;
    const double fine = TileableNoise(u, v, kStripWidth, kStripHeight, 1, 47) - 0.5;
    return 9.0 * soft + 5.0 * fine;
}

} // namespace

Colour PanelTone() {
    return Rgb(224, 224, 224);
}

Canvas PaintPanelStrip() {
    // The texture's own mean is taken out, so that the strip's mean is the panel's tone.
    double mean = 0;
    for (int y = 0; y < kStripHeight; ++y) {
        for (int x = 0; x < kStripWidth; ++x) {
            mean += TextureAt(x, y);
        }
    }
    mean /= kStripWidth * kStripHeight;
    Canvas canvas(kStripWidth, kStripHeight);
    for (int y = 0; y < kStripHeight; ++y) {
        for (int x = 0; x < kStripWidth; ++x) {
            const double level = (TextureAt(x, y) - mean) / 255.0;
            // Slightly warm where it is lighter, cool where darker, as paper is.
            canvas.at(x, y) = PanelTone() + Colour{level * 1.05, level, level * 0.92};
        }
    }
    return canvas;
}

} // namespace artwork
