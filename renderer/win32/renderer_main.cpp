#include "renderer.h"

#include <cstdlib>
#include <ctime>

#include "../display_config.h"
#include "../frame_pacer.h"
#include "../gl_headers.h"
#include "../textures.h"
#include "frame_wait.h"
#include "image_files.h"
#include "monitor_scenes.h"
#include "thunder_output.h"

Scene g_scene;
ThunderOutput g_thunder;

namespace {

void swap_window_buffers() {
    SwapBuffers(g_device_context);
}

// One frame of the run, on the primary monitor or on every monitor.
void draw_run_frame() {
    if (g_options.every_monitor) {
        draw_monitor_scenes();
    } else {
        tick_scene_clock(g_scene);
        draw_frame(g_scene, swap_window_buffers);
    }
}

} // namespace

int win_main(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
    g_options = ParseRendererOptions(command_line != nullptr ? command_line : "");
    g_full_screen = true;
    HWND window = create_window(display_config.window_name, display_config.width,
                                display_config.height, 0, g_full_screen, instance);
    if (window == nullptr) {
        return 1;
    }
    init_scene(window);
    return run_loop();
}

void init_scene(HWND window) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    g_window = window;
    GetClientRect(g_window, &g_client_rect);
    create_gl_context(g_client_rect.right, g_client_rect.bottom);
    load_textures();
    g_scene.lightning.random = std::rand;
    if (g_options.thunder && g_thunder.open(g_instance)) {
        g_scene.lightning.on_spawn = [](const FadeSprite& bolt) { g_thunder.strike(bolt); };
    }
    create_pools(g_scene, platform_clock());
    set_fixed_gl_state();
    glBindTexture(GL_TEXTURE_2D, g_scene.texture_slots[first_bolt_texture_slot]);
    if (g_options.every_monitor) {
        create_monitor_scenes();
    }
}

// Messages first, then one frame when the pacer lets it start; while it
// does not, the loop sleeps until the deadline or the next message.
int run_loop() {
    FrameWait frame_wait;
    FramePacer pacer;
    // With a scene on every monitor the one window follows the primary's refresh.
    pacer.start(platform_clock(), g_options.unpaced ? 0.0 : primary_refresh_period());
    MSG message{};
    for (;;) {
        g_thunder.pump();
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                break;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else if (const double wait = pacer.seconds_to_wait(); wait > 0.0) {
            frame_wait.wait(wait);
        } else {
            draw_run_frame();
            pacer.frame_swapped();
        }
    }
    g_thunder.close(); // the sound ends with the picture
    shutdown_renderer();
    g_scene.lightning.first_pool.reset();
    g_scene.lightning.second_pool.reset();
    return static_cast<int>(message.wParam);
}
