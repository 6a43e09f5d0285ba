// CPU time of one draw_frame: the floor from a desktop-sized picture and a
// live bolt of each kind, drawn offscreen by Mesa (llvmpipe) at 1024 x 768.
// glFinish is part of each frame, as a buffer swap would be.

#include <benchmark/benchmark.h>

#include <GL/osmesa.h>

#include <cstdint>
#include <vector>

#include "gl_headers.h"
#include "scene.h"
#include "textures.h"

namespace {

RgbImage picture(int width, int height) {
    RgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.reset(new std::uint8_t[image.size_bytes()]);
    for (std::size_t i = 0; i < image.size_bytes(); ++i) {
        image.pixels[i] = static_cast<std::uint8_t>(i * 37 % 251);
    }
    return image;
}

struct Clock {
    static inline std::int64_t now = 0;
    static bool frequency(std::int64_t* out) {
        *out = 1'000'000;
        return true;
    }
    static std::int64_t counter() { return now; }
    static std::uint32_t milliseconds() { return 0; }
};

int fixed_random() {
    return 3;
}

void finish() {
    glFinish();
}

void BM_DrawFrame(benchmark::State& state) {
    std::vector<std::uint8_t> buffer(1024 * 768 * 4);
    OSMesaContext context = OSMesaCreateContextExt(OSMESA_RGBA, 16, 0, 0, nullptr);
    OSMesaMakeCurrent(context, buffer.data(), GL_UNSIGNED_BYTE, 1024, 768);
    resize_scene(1024, 768);
    set_fixed_gl_state();

    Scene scene;
    scene.texture_slots[floor_texture_slot] = build_base_level_texture(picture(1920, 1080));
    scene.texture_slots[first_bolt_texture_slot] = build_base_level_texture(picture(256, 256));
    scene.texture_slots[second_bolt_texture_slot] = build_base_level_texture(picture(256, 256));
    scene.lightning.random = fixed_random;
    create_pools(scene, {Clock::frequency, Clock::counter, Clock::milliseconds});
    spawn_bolt(scene.lightning, BoltKind::Second, scene.current_time, &scene.flash_level);

    for (auto _ : state) {
        Clock::now += 16'667;
        tick_scene_clock(scene);
        // Keep both bolts alive and holding, and no new ones: the frame stays comparable.
        for (SpritePool* pool :
             {scene.lightning.first_pool.get(), scene.lightning.second_pool.get()}) {
            for (FadeSprite* s = pool->head(); s != nullptr; s = s->next) {
                s->spawn_time = scene.current_time;
            }
        }
        scene.lightning.last_spawn_time[0] = scene.lightning.last_spawn_time[1] =
            scene.timer.elapsed();
        draw_frame(scene, finish);
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    OSMesaDestroyContext(context);
}
BENCHMARK(BM_DrawFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
