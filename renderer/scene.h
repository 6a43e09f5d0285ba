#pragma once

#include <cstdint>
#include <functional>

#include "frame_timer.h"
#include "lightning.h"
#include "textures.h"

// Everything one run of the renderer animates. The program holds one
// instance as a plain global; tests build fresh ones.
struct Scene {
    FrameTimer timer;
    float current_time = 0.0f; // timer's elapsed at its last tick, seconds
    float frame_delta = 0.0f;  // timer's delta at its last tick, seconds
    // OpenGL texture names of the hand-off images (first bolt, floor, second
    // bolt); 0 where an image is missing, which binds the imageless default.
    std::uint32_t texture_slots[3] = {0, 0, 0};
    // Where each slot's texture has light (the bolts' squares are drawn
    // over that part alone); the whole texture unless known.
    LitArea lit_areas[3];
    float floor_scroll = 0.0f; // repeats of the floor picture drifted away so far; never wrapped
    float flash_level = 0.0f;  // the visible bolts' summed fade levels; brightens the floor
    Lightning lightning;       // the bolts' pools, spawn times and random source
};

// Start-up of the animation: creates the two bolt pools, starts and ticks
// the frame timer, and spawns the first bolt, so that one bolt exists before
// the first frame. The scene's random source must be set. Without
// first_bolt the sky starts empty and the spawn rule brings the first one
// (a further monitor's scene, so that it does not open with the same bolt
// as the primary's).
void create_pools(Scene& scene, const ClockSource& clock, bool first_bolt = true);

// Ticks the scene's timer and copies elapsed and delta into current_time
// and frame_delta, the copies every part of a frame reads.
void tick_scene_clock(Scene& scene);

// Viewport and projection for a client area of width x height pixels.
void resize_scene(int width, int height);

// The same for one part of a larger window, width x height pixels whose
// lower-left corner is (x, y) from the window's lower-left corner, with the
// scissor box on that part too, so that a frame drawn next (its clear
// included) stays inside it.
void resize_scene_part(int x, int y, int width, int height);

// The OpenGL state that stays fixed for the whole run: smooth shading,
// no depth test, black clear colour, additive blending, texturing on.
void set_fixed_gl_state();

// Presents a drawn frame (a buffer swap); it carries what it swaps.
using PresentFrame = std::function<void()>;

// Draws one frame into the current context, then presents it with
// swap_buffers (none: the frame stays in the buffer, for a caller that
// draws more into it): the floor (lit by the previous frame's flash), the
// spawn decisions, then each pool's bolts added over it, which rebuilds the
// flash. A scene whose pools have not been created shows the floor alone.
void draw_frame(Scene& scene, const PresentFrame& swap_buffers);
