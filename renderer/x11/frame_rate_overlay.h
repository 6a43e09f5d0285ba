#pragma once

// -fps: the frame rate, over the last second, drawn in the top-left corner
// of the picture in X's "fixed" font.

#include <GL/gl.h>
#include <X11/Xlib.h>

class FrameRateOverlay {
public:
    // Loads the font's glyphs into display lists of the current context;
    // with shown false (or without the font) draw does nothing.
    FrameRateOverlay(Display* display, bool shown);

    // Counts one frame of delta seconds and draws the rate over a picture of
    // width x height pixels, leaving the GL state as it found it.
    void draw(float delta, int width, int height);

private:
    GLuint m_lists = 0;
    int m_line = 0;
    float m_seconds = 0.0f;
    int m_frames = 0;
    char m_text[32] = "FPS: -";
};
