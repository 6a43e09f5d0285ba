#pragma once

class SpritePool;

// A point or colour in the scene: three 32-bit floats.
struct Vec3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

// Red, green, blue and alpha (the fade level), 32-bit floats.
struct ColourRgba {
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
};

// A square that fades in, holds and fades out, in world units and seconds.
// Knows nothing of OpenGL: drawing is done by whoever walks its pool.
class FadeSprite {
public:
    explicit FadeSprite(SpritePool* owner, float current_time);
    virtual ~FadeSprite() = default;
    FadeSprite(const FadeSprite&) = delete;
    FadeSprite& operator=(const FadeSprite&) = delete;

    // Copies the eight values in, then forces alpha to 0.001.
    void configure(Vec3 position, Vec3 velocity, ColourRgba colour, ColourRgba colour_rate,
                   float half_size, float size_rate, float hold_time, float fade_out_rate);

    // Advances the sprite by one frame that lasted frame_delta seconds.
    virtual void update(float current_time, float frame_delta);

    Vec3 position;          // centre of the square
    Vec3 velocity;          // change of position per second
    ColourRgba colour;      // vertex colour; alpha is the fade level
    float half_size;        // half the side of the square
    float spawn_time;       // current time when the sprite was made
    float hold_time;        // fading out begins once more than this has passed since spawn_time
    bool alive;             // false once the fade-out has taken alpha below 0
    float size_rate;        // added to half_size on every update (per update, not per second)
    bool size_animating;    // whether size_rate is applied
    ColourRgba colour_rate; // change of r, g, b per second; the fourth entry is never applied
    bool fading_in;         // fade-in phase
    bool fading_out;        // fade-out phase
    float fade_out_rate;    // alpha lost per second while fading out
    float fade_in_rate;     // alpha gained per second while fading in
    SpritePool* owner;      // the pool the sprite was made for (stored only)
    FadeSprite* next;       // the following sprite in its pool; owned by the pool
};

// A lightning bolt: a FadeSprite whose every update also adds its alpha to
// the frame's flash level, so that a bolt lights up the floor.
class BoltSprite : public FadeSprite {
public:
    explicit BoltSprite(SpritePool* owner, float current_time);

    void update(float current_time, float frame_delta) override;

    float* flash_target; // the flash level this bolt adds to, or null
};
