#include "floor.h"

#include "gl_headers.h"
#include "scene.h"
#include "textures.h"

void draw_floor(Scene& scene) {
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, scene.texture_slots[floor_texture_slot]);
    const float brightness = floor_base_brightness + scene.flash_level;
    glColor4f(brightness, brightness, brightness, 1.0f);

    scene.floor_scroll =
        static_cast<float>(scene.floor_scroll + scene.frame_delta * floor_scroll_speed);
    const float near_t = 0.0f - scene.floor_scroll;
    const float far_t = 3.0f - scene.floor_scroll;
    const float h = floor_half_size;
    // Three repeats across and in depth; t runs from the picture's bottom row
    // at the near edge to its top at the far edge, so the picture stands upright.
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, far_t);
    glVertex3f(-h, floor_plane_y, -h);
    glTexCoord2f(3.0f, far_t);
    glVertex3f(h, floor_plane_y, -h);
    glTexCoord2f(3.0f, near_t);
    glVertex3f(h, floor_plane_y, h);
    glTexCoord2f(0.0f, near_t);
    glVertex3f(-h, floor_plane_y, h);
    glEnd();

    glEnable(GL_BLEND);
}
