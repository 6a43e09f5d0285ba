#pragma once

#include "sprite_pool.h"
#include "textures.h"

// Draws one sprite as a textured square facing the camera, in its current
// colour; the texture is whatever the caller has bound. Only the part of the
// square over the texture's lit area is drawn: the rest would add black.
void draw_sprite(const FadeSprite& sprite, const LitArea& lit = LitArea{});

// One pass over a pool: each sprite is updated, then drawn if it is still
// alive, or removed if its update ended it. The caller binds the texture,
// whose lit area lit is.
void draw_pool(SpritePool& pool, float current_time, float frame_delta,
               const LitArea& lit = LitArea{});
