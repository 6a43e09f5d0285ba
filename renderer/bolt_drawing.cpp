#include "bolt_drawing.h"

#include "gl_headers.h"

void draw_sprite(const FadeSprite& sprite) {
    const float x = sprite.position.x, y = sprite.position.y, z = sprite.position.z;
    const float h = sprite.half_size;
    const float colour[4] = {sprite.colour.r, sprite.colour.g, sprite.colour.b, sprite.colour.a};
    glColor4fv(colour);
    // The whole picture once, upright (t = 0 at the bottom edge).
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

void draw_pool(SpritePool& pool, float current_time, float frame_delta) {
    pool.update_each(current_time, frame_delta, draw_sprite);
}
