// CPU time of one draw_frame: the floor from a desktop-sized picture and a
// live bolt of each kind (the pictures the screensaver program ships),
// drawn offscreen by Mesa (llvmpipe) at 1024 x 768 and 1920 x 1080.
// glFinish is part of each frame, as a buffer swap would be. Beside it, the
// frame as the renderer once drew it: on a buffer with a depth and stencil
// buffer (24 and 8 bits, as XScreenSaver's GL visual has) cleared every
// frame, and each bolt's whole square drawn, black around the bolt
// included. Before the runs the two frames are compared pixel for pixel.

#include <benchmark/benchmark.h>

#include <GL/osmesa.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
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

// A bolt picture of resources/, decoded as the renderer decodes it.
RgbImage bolt_picture(const char* name) {
    std::ifstream file(std::string(VELMORAN_RESOURCES) + "/" + name, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    BmpDecodeResult result = decode_bmp(bytes);
    return result.image ? std::move(*result.image) : picture(256, 256);
}

int fixed_random() {
    return 3;
}

void finish() {
    glFinish();
}

// An offscreen buffer of width x height with its context current, and a
// scene over a desktop-sized floor with one holding bolt of each kind.
struct Frame {
    Frame(int width, int height, int depth_bits, int stencil_bits)
        : buffer(static_cast<std::size_t>(width) * height * 4),
          context(OSMesaCreateContextExt(OSMESA_RGBA, depth_bits, stencil_bits, 0, nullptr)) {
        OSMesaMakeCurrent(context, buffer.data(), GL_UNSIGNED_BYTE, width, height);
        resize_scene(width, height);
        set_fixed_gl_state();
        Clock::now = 0;
        scene.texture_slots[floor_texture_slot] = build_base_level_texture(picture(1920, 1080));
        scene.texture_slots[first_bolt_texture_slot] = build_base_level_texture(
            bolt_picture("bolt_violet.bmp"), &scene.lit_areas[first_bolt_texture_slot]);
        scene.texture_slots[second_bolt_texture_slot] = build_base_level_texture(
            bolt_picture("bolt_yellow.bmp"), &scene.lit_areas[second_bolt_texture_slot]);
        scene.lightning.random = fixed_random;
        create_pools(scene, {Clock::frequency, Clock::counter, Clock::milliseconds});
        spawn_bolt(scene.lightning, BoltKind::Second, scene.current_time, &scene.flash_level);
    }
    ~Frame() { OSMesaDestroyContext(context); }

    // One frame 1/60 s after the last; as_before, the depth and stencil
    // buffers are cleared first and the bolts' whole squares drawn.
    void draw(bool as_before) {
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
        if (as_before) {
            glClear(GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
            std::fill(std::begin(scene.lit_areas), std::end(scene.lit_areas), LitArea{});
        }
        draw_frame(scene, finish);
    }

    std::vector<std::uint8_t> buffer;
    OSMesaContext context;
    Scene scene;
};

void BM_DrawFrame(benchmark::State& state) {
    const bool before = state.range(2) != 0;
    Frame frame(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), before ? 24 : 0,
                before ? 8 : 0);
    for (auto _ : state) {
        frame.draw(before);
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_DrawFrame)
    ->ArgNames({"width", "height", "as_before"})
    ->Args({1024, 768, 0})
    ->Args({1024, 768, 1})
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The third frame of a run drawn now and of one drawn as before.
bool frames_identical() {
    Frame plain(1024, 768, 0, 0);
    for (int i = 0; i < 3; ++i) {
        plain.draw(false);
    }
    const std::vector<std::uint8_t> without = plain.buffer;
    Frame cleared(1024, 768, 24, 8);
    for (int i = 0; i < 3; ++i) {
        cleared.draw(true);
    }
    return cleared.buffer == without;
}

} // namespace

int main(int argc, char** argv) {
    std::printf("a frame drawn now and one drawn as before: %s\n",
                frames_identical() ? "identical pixel for pixel" : "DIFFERENT");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
