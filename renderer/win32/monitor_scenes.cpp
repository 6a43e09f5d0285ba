#include "monitor_scenes.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <vector>

#include "../gl_headers.h"
#include "../textures.h"
#include "image_files.h"
#include "monitor_pictures.h"
#include "renderer.h"
#include "win32/handoff_folder_access.h"

namespace {

// The monitors with a scene, in picture order (the primary first), in
// virtual-screen pixels, and the scenes of those after the primary.
std::vector<MonitorPlace> g_monitors;
std::vector<std::unique_ptr<Scene>> g_other_scenes;

// The monitors in picture order; the whole virtual screen as the primary
// when the system names none.
std::vector<MonitorPlace> scene_monitors() {
    std::vector<MonitorPlace> monitors = SceneMonitors(CurrentMonitors());
    if (monitors.empty()) {
        const RECT screen = virtual_screen();
        monitors.push_back({screen.left, screen.top, screen.right, screen.bottom, true});
    }
    return monitors;
}

// A scene for the monitor at position (after the primary): the shared bolt
// pictures, its own floor, its own bolts.
std::unique_ptr<Scene> make_scene(int position) {
    auto scene = std::make_unique<Scene>();
    scene->texture_slots[first_bolt_texture_slot] = g_scene.texture_slots[first_bolt_texture_slot];
    scene->texture_slots[second_bolt_texture_slot] =
        g_scene.texture_slots[second_bolt_texture_slot];
    std::copy(std::begin(g_scene.lit_areas), std::end(g_scene.lit_areas), scene->lit_areas);
    if (std::optional<RgbImage> floor = load_image(MonitorPictureIndex(position))) {
        scene->texture_slots[floor_texture_slot] = build_base_level_texture(*floor);
    }
    scene->lightning.random = std::rand;
    create_pools(*scene, platform_clock(), false);
    return scene;
}

// Gives the monitors found now their scenes, keeping those that are there.
void match_scenes() {
    g_monitors = scene_monitors();
    const std::size_t others = g_monitors.size() - 1;
    while (g_other_scenes.size() > others) {
        const GLuint floor = g_other_scenes.back()->texture_slots[floor_texture_slot];
        glDeleteTextures(1, &floor);
        g_other_scenes.pop_back();
    }
    while (g_other_scenes.size() < others) {
        g_other_scenes.push_back(make_scene(static_cast<int>(g_other_scenes.size()) + 1));
    }
}

} // namespace

RECT virtual_screen() {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{left, top, left + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                top + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void create_monitor_scenes() {
    glEnable(GL_SCISSOR_TEST);
    match_scenes();
}

void draw_monitor_scenes() {
    const RECT screen = virtual_screen();
    const int height = screen.bottom - screen.top;
    // What no scene fills stays black.
    resize_scene_part(0, 0, screen.right - screen.left, height);
    glClear(GL_COLOR_BUFFER_BIT);
    for (std::size_t i = 0; i < g_monitors.size(); ++i) {
        Scene& scene = i == 0 ? g_scene : *g_other_scenes[i - 1];
        const MonitorPlace& m = g_monitors[i];
        // OpenGL counts rows from the window's bottom.
        resize_scene_part(m.left - screen.left, height - (m.bottom - screen.top), m.right - m.left,
                          m.bottom - m.top);
        tick_scene_clock(scene);
        draw_frame(scene, {}); // one swap for all, below
    }
    SwapBuffers(g_device_context);
}

void follow_monitor_change() {
    const RECT screen = virtual_screen();
    SetWindowPos(g_window, nullptr, screen.left, screen.top, screen.right - screen.left,
                 screen.bottom - screen.top, SWP_NOZORDER | SWP_NOACTIVATE);
    match_scenes();
}
