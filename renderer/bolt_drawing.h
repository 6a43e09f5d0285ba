#pragma once

#include "sprite_pool.h"

// Draws one sprite as a textured square facing the camera, in its current
// colour; the texture is whatever the caller has bound.
void draw_sprite(const FadeSprite& sprite);

// One pass over a pool: each sprite is updated, then drawn if it is still
// alive, or removed if its update ended it. The caller binds the texture.
void draw_pool(SpritePool& pool, float current_time, float frame_delta);
