#include "frame_rate_overlay.h"

#include <GL/glx.h>

#include <cstdio>
#include <string_view>

FrameRateOverlay::FrameRateOverlay(Display* display, bool shown) {
    if (!shown) {
        return;
    }
    XFontStruct* font = XLoadQueryFont(display, "fixed");
    if (font == nullptr) {
        return;
    }
    m_lists = glGenLists(96);
    glXUseXFont(font->fid, 32, 96, m_lists);
    m_line = font->ascent + font->descent;
    XFreeFont(display, font);
}

void FrameRateOverlay::draw(float delta, int width, int height) {
    if (m_lists == 0) {
        return;
    }
    m_seconds += delta;
    ++m_frames;
    if (m_seconds >= 1.0f) {
        std::snprintf(m_text, sizeof(m_text), "FPS: %.1f", m_frames / m_seconds);
        m_seconds = 0.0f;
        m_frames = 0;
    }
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_LIST_BIT | GL_TRANSFORM_BIT);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, 0, height, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2i(10, height - 10 - m_line);
    glListBase(m_lists - 32);
    glCallLists(static_cast<GLsizei>(std::string_view(m_text).size()), GL_UNSIGNED_BYTE, m_text);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glPopAttrib();
}
