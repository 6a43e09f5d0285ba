#include "monitor_scenes.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "../gl_headers.h"
#include "../textures.h"
#include "image_files.h"
#include "monitor_pictures.h"
#include "renderer.h"
#include "win32/handoff_folder_access.h"

namespace {

// A monitor with a scene: where it is (virtual-screen pixels) and its scene,
// the program's g_scene for the monitor that was the primary at the start,
// a scene of its own for every other.
struct MonitorScene {
    MonitorPlace place;
    std::unique_ptr<Scene> own; // null for g_scene's monitor
    Scene& scene() const { return own ? *own : g_scene; }
};

// In the order of monitor_pictures.h (the primary first); changed as a
// whole or not at all.
std::vector<MonitorScene> g_monitors;
// The name of the monitor g_scene belongs to.
std::string g_first_primary;

// The monitors in that order; the whole virtual screen as the primary when
// the system names none. Nothing when they cannot be listed now.
std::optional<std::vector<MonitorPlace>> scene_monitors() {
    std::optional<std::vector<MonitorPlace>> current = CurrentMonitors();
    if (!current) {
        return std::nullopt;
    }
    std::vector<MonitorPlace> monitors = SceneMonitors(std::move(*current));
    if (monitors.empty()) {
        const RECT screen = virtual_screen();
        monitors.push_back({screen.left, screen.top, screen.right, screen.bottom, true, {}});
    }
    return monitors;
}

// The photograph the screensaver program took of the monitor named device.
std::optional<RgbImage> photograph_of(const std::string& device) {
    for (const MonitorPhotograph& photograph : g_options.monitor_photographs) {
        if (photograph.device == device) {
            return load_image(photograph.picture);
        }
    }
    return std::nullopt;
}

// A scene for a monitor other than g_scene's: the shared bolt pictures, its
// own photograph as its floor (the grey floor when there is none), its own
// bolts.
std::unique_ptr<Scene> make_scene(const MonitorPlace& monitor) {
    auto scene = std::make_unique<Scene>();
    scene->texture_slots[first_bolt_texture_slot] = g_scene.texture_slots[first_bolt_texture_slot];
    scene->texture_slots[second_bolt_texture_slot] =
        g_scene.texture_slots[second_bolt_texture_slot];
    std::copy(std::begin(g_scene.lit_areas), std::end(g_scene.lit_areas), scene->lit_areas);
    if (std::optional<RgbImage> floor = photograph_of(monitor.device)) {
        scene->texture_slots[floor_texture_slot] = build_base_level_texture(*floor);
    }
    scene->lightning.random = std::rand;
    scene->lightning.on_spawn = g_scene.lightning.on_spawn; // its thunder too
    create_pools(*scene, platform_clock(), false);
    return scene;
}

void delete_floor(const MonitorScene& monitor) {
    if (monitor.own) {
        const GLuint floor = monitor.own->texture_slots[floor_texture_slot];
        glDeleteTextures(1, &floor);
    }
}

std::vector<MonitorScene>::iterator scene_named(const std::string& device) {
    return std::find_if(g_monitors.begin(), g_monitors.end(),
                        [&](const MonitorScene& m) { return m.place.device == device; });
}

// Gives the monitors found now their scenes: a monitor keeps the scene of
// its name, a new one gets a new scene, and the scenes of monitors that went
// away go. Should anything fail (the memory for a scene), nothing changes.
void match_scenes() {
    try {
        std::optional<std::vector<MonitorPlace>> found = scene_monitors();
        if (!found) {
            return;
        }
        // What can fail comes first: the new scenes and the new list's room.
        std::vector<std::unique_ptr<Scene>> created(found->size());
        for (std::size_t i = 0; i < found->size(); ++i) {
            const std::string& device = (*found)[i].device;
            if (device != g_first_primary && scene_named(device) == g_monitors.end()) {
                created[i] = make_scene((*found)[i]);
            }
        }
        std::vector<MonitorScene> matched;
        matched.reserve(found->size());
        // From here nothing fails: the monitors and their scenes change together.
        for (std::size_t i = 0; i < found->size(); ++i) {
            MonitorPlace& place = (*found)[i];
            const auto same = scene_named(place.device);
            std::unique_ptr<Scene> own = std::move(created[i]);
            if (!own && same != g_monitors.end()) {
                own = std::move(same->own);
            }
            matched.push_back({std::move(place), std::move(own)});
        }
        for (const MonitorScene& gone : g_monitors) {
            delete_floor(gone); // the scenes still here were not taken over
        }
        g_monitors = std::move(matched);
    } catch (...) {
        // The monitors stay as they were; the run goes on.
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
    if (const auto monitors = scene_monitors()) {
        g_first_primary = monitors->front().device;
    }
    match_scenes();
}

void draw_monitor_scenes() {
    const RECT screen = virtual_screen();
    const int height = screen.bottom - screen.top;
    // What no scene fills stays black.
    resize_scene_part(0, 0, screen.right - screen.left, height);
    glClear(GL_COLOR_BUFFER_BIT);
    for (const MonitorScene& monitor : g_monitors) {
        const MonitorPlace& m = monitor.place;
        // OpenGL counts rows from the window's bottom.
        resize_scene_part(m.left - screen.left, height - (m.bottom - screen.top), m.right - m.left,
                          m.bottom - m.top);
        Scene& scene = monitor.scene();
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
