#pragma once

// The floor: the desktop photograph tiled on a large quad below the eye,
// drifting away from the viewer and lit by the bolts' flash.

struct Scene;

// Grey the floor picture is modulated with when no bolt is visible.
inline constexpr float floor_base_brightness = 0.2f;

// Distance between the eye and the floor's plane, and the quad's half size, in scene units.
inline constexpr float floor_plane_y = -15.5f;
inline constexpr float floor_half_size = 300.0f;

// Repeats of the floor picture per second that the pattern drifts away.
inline constexpr double floor_scroll_speed = 0.07;

// Draws the floor opaque with texture slot 1, modulated by a grey of
// floor_base_brightness + flash_level (clamped at 1 by OpenGL); advances
// floor_scroll by the frame's delta first. Leaves blending on.
void draw_floor(Scene& scene);
