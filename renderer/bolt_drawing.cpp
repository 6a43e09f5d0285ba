#include "bolt_drawing.h"

#include <algorithm>
#include <cmath>

#include "gl_headers.h"

namespace {

bool whole(const LitArea& lit) {
    return lit.s0 == 0.0f && lit.t0 == 0.0f && lit.s1 == 1.0f && lit.t1 == 1.0f;
}

// A window rectangle in pixels, as glScissor takes it.
struct WindowBox {
    GLint x = 0;
    GLint y = 0;
    GLsizei width = 0;
    GLsizei height = 0;
};

// Where the part of the sprite's square over the lit area lands in the
// window, a pixel wider on each side than the projection of its corners.
WindowBox lit_box(const FadeSprite& sprite, const LitArea& lit) {
    GLdouble model[16];
    GLdouble projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const double h = sprite.half_size;
    double left = HUGE_VAL, right = -HUGE_VAL, bottom = HUGE_VAL, top = -HUGE_VAL;
    for (const float s : {lit.s0, lit.s1}) {
        for (const float t : {lit.t0, lit.t1}) {
            GLdouble x = 0.0, y = 0.0, z = 0.0;
            gluProject(sprite.position.x + h * (2.0 * s - 1.0),
                       sprite.position.y + h * (2.0 * t - 1.0), sprite.position.z, model,
                       projection, viewport, &x, &y, &z);
            left = std::min(left, x);
            right = std::max(right, x);
            bottom = std::min(bottom, y);
            top = std::max(top, y);
        }
    }
    // Far outside the window the box is cut to a size GL's integers hold.
    const auto pixel = [](double v) { return static_cast<GLint>(std::clamp(v, -1e8, 1e8)); };
    const GLint x0 = pixel(std::floor(left)) - 1;
    const GLint y0 = pixel(std::floor(bottom)) - 1;
    return {x0, y0, pixel(std::ceil(right)) + 1 - x0, pixel(std::ceil(top)) + 1 - y0};
}

WindowBox intersection(const WindowBox& a, const WindowBox& b) {
    const GLint x0 = std::max(a.x, b.x);
    const GLint y0 = std::max(a.y, b.y);
    const GLint x1 = std::min(a.x + a.width, b.x + b.width);
    const GLint y1 = std::min(a.y + a.height, b.y + b.height);
    return {x0, y0, std::max(x1 - x0, 0), std::max(y1 - y0, 0)};
}

// The square of the whole picture once, upright (t = 0 at the bottom edge).
void draw_square(const FadeSprite& sprite) {
    const float x = sprite.position.x, y = sprite.position.y, z = sprite.position.z;
    const float h = sprite.half_size;
    const float colour[4] = {sprite.colour.r, sprite.colour.g, sprite.colour.b, sprite.colour.a};
    glColor4fv(colour);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2i(1, 1);
    glVertex3f(x + h, y + h, z);
    glTexCoord2i(0, 1);
    glVertex3f(x - h, y + h, z);
    glTexCoord2i(1, 0);
    glVertex3f(x + h, y - h, z);
    glTexCoord2i(0, 0);
    glVertex3f(x - h, y - h, z);
    glEnd();
}

} // namespace

void draw_sprite(const FadeSprite& sprite, const LitArea& lit) {
    if (whole(lit)) {
        draw_square(sprite);
        return;
    }
    if (lit.s0 >= lit.s1 || lit.t0 >= lit.t1) {
        return; // a black picture adds nothing
    }
    // The same square, its fill cut to the lit part by the scissor box, so
    // that every pixel drawn is drawn exactly as with the whole square.
    const GLboolean scissoring = glIsEnabled(GL_SCISSOR_TEST);
    GLint scissor[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_SCISSOR_BOX, scissor);
    const WindowBox previous{scissor[0], scissor[1], scissor[2], scissor[3]};
    WindowBox box = lit_box(sprite, lit);
    if (scissoring) {
        box = intersection(box, previous);
    }
    if (box.width > 0 && box.height > 0) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(box.x, box.y, box.width, box.height);
        draw_square(sprite);
        glScissor(previous.x, previous.y, previous.width, previous.height);
        if (!scissoring) {
            glDisable(GL_SCISSOR_TEST);
        }
    }
}

void draw_pool(SpritePool& pool, float current_time, float frame_delta, const LitArea& lit) {
    pool.update_each(current_time, frame_delta,
                     [&lit](const FadeSprite& sprite) { draw_sprite(sprite, lit); });
}
