#include "fade_sprite.h"

FadeSprite::FadeSprite(SpritePool* owner_pool, float current_time)
    : colour{1.0f, 1.0f, 1.0f, 0.001f}, half_size(1.0f), spawn_time(current_time), hold_time(5.0f),
      alive(true), size_rate(0.0f), size_animating(true), colour_rate{}, fading_in(true),
      fading_out(false), fade_out_rate(0.0f), fade_in_rate(1.0f), owner(owner_pool), next(nullptr) {
}

void FadeSprite::configure(Vec3 new_position, Vec3 new_velocity, ColourRgba new_colour,
                           ColourRgba new_colour_rate, float new_half_size, float new_size_rate,
                           float new_hold_time, float new_fade_out_rate) {
    position = new_position;
    velocity = new_velocity;
    colour = new_colour;
    colour_rate = new_colour_rate;
    half_size = new_half_size;
    size_rate = new_size_rate;
    hold_time = new_hold_time;
    fade_out_rate = new_fade_out_rate;
    colour.a = 0.001f;
}

void FadeSprite::update(float current_time, float frame_delta) {
    // Exactly one fade phase acts per update.
    if (fading_in) {
        colour.a += frame_delta * fade_in_rate;
        if (colour.a >= 0.99f) {
            colour.a = 1.0f;
            fading_in = false;
        }
    } else if (fading_out) {
        colour.a -= frame_delta * fade_out_rate;
        if (colour.a < 0.0f) {
            alive = false; // alpha keeps its negative value
        }
    } else if (current_time - spawn_time > hold_time) {
        fading_out = true;
    }

    position.x += frame_delta * velocity.x;
    position.y += frame_delta * velocity.y;
    position.z += frame_delta * velocity.z;

    colour.r += frame_delta * colour_rate.r;
    colour.g += frame_delta * colour_rate.g;
    colour.b += frame_delta * colour_rate.b;

    if (size_animating) {
        half_size += size_rate;
        if (half_size < 0.0f) {
            half_size = 0.0f;
        }
    }
}

BoltSprite::BoltSprite(SpritePool* owner_pool, float current_time)
    : FadeSprite(owner_pool, current_time), flash_target(nullptr) {}

void BoltSprite::update(float current_time, float frame_delta) {
    FadeSprite::update(current_time, frame_delta);
    // Also in the update that ends the bolt, whose alpha is then slightly negative.
    if (flash_target != nullptr) {
        *flash_target += colour.a;
    }
}
