#include "scene.h"

#include "bolt_drawing.h"
#include "floor.h"
#include "gl_headers.h"
#include "textures.h"

void tick_scene_clock(Scene& scene) {
    scene.timer.tick();
    scene.current_time = scene.timer.elapsed();
    scene.frame_delta = scene.timer.delta();
}

void create_pools(Scene& scene, const ClockSource& clock, bool first_bolt) {
    create_bolt_pools(scene.lightning);
    // Textures are loaded by now, so the first frame's delta does not include them.
    scene.timer.start(clock);
    tick_scene_clock(scene);
    if (first_bolt) {
        spawn_bolt(scene.lightning, BoltKind::First, scene.current_time, &scene.flash_level);
    }
}

void resize_scene(int width, int height) {
    resize_scene_part(0, 0, width, height);
}

void resize_scene_part(int x, int y, int width, int height) {
    if (height == 0) {
        height = 1;
    }
    glViewport(x, y, width, height);
    glScissor(x, y, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // The near plane is the single-precision 0.01 widened to double.
    gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height),
                   static_cast<double>(0.01f), 5000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void set_fixed_gl_state() {
    glShadeModel(GL_SMOOTH);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    // Nothing is depth-tested (drawing order decides), so no depth buffer is
    // asked for or cleared.
    glDisable(GL_DEPTH_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_TEXTURE_2D);
}

void draw_frame(Scene& scene, const PresentFrame& swap_buffers) {
    glClear(GL_COLOR_BUFFER_BIT);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -240.0f);
    draw_floor(scene);
    Lightning& lightning = scene.lightning;
    if (lightning.first_pool && lightning.second_pool) {
        scene.flash_level = 0.0f;
        run_spawn_rule(lightning, scene.timer.elapsed(), scene.current_time, &scene.flash_level);
        glBindTexture(GL_TEXTURE_2D, scene.texture_slots[first_bolt_texture_slot]);
        draw_pool(*lightning.first_pool, scene.current_time, scene.frame_delta,
                  scene.lit_areas[first_bolt_texture_slot]);
        glBindTexture(GL_TEXTURE_2D, scene.texture_slots[second_bolt_texture_slot]);
        draw_pool(*lightning.second_pool, scene.current_time, scene.frame_delta,
                  scene.lit_areas[second_bolt_texture_slot]);
    }
    if (swap_buffers) {
        swap_buffers();
    }
}
