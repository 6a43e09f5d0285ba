#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "sprite_pool.h"

// The standard rand() in the program; a scripted source in tests.
using RandomSource = int (*)();

// The two kinds of bolt, each with its own picture, pool, part of the sky
// and spawn rhythm.
enum class BoltKind { First, Second };

// The bolts of a run: their two pools and when each kind last spawned.
struct Lightning {
    std::unique_ptr<SpritePool> first_pool;  // first kind, up to 500 sprites
    std::unique_ptr<SpritePool> second_pool; // second kind, up to 300 sprites
    float last_spawn_time[2] = {0.0f, 0.0f}; // seconds, by kind
    RandomSource random = nullptr;
    std::int32_t peak_count[2] = {0, 0}; // the most sprites each pool has held at once
    // Told of every bolt a pool takes, once it is placed (its thunder follows it).
    std::function<void(const FadeSprite& bolt)> on_spawn;
};

// Creates the first pool (capacity 500), then the second (capacity 300). A
// pool whose memory cannot be had stays null, and the sky has no bolts.
void create_bolt_pools(Lightning& lightning);

SpritePool& pool_of(Lightning& lightning, BoltKind kind);

// Makes one bolt of the kind at a random place of its part of the sky and
// adds it to the kind's pool (a full pool discards it). Draws three random
// numbers, in this order: centre x, centre z, half size. Without both pools,
// or without the memory for the bolt, nothing happens and nothing is drawn.
void spawn_bolt(Lightning& lightning, BoltKind kind, float current_time, float* flash_level);

// The per-frame spawn decision, first kind then second: one random draw per
// kind, and a bolt when more than 1.3 to 1.8 s (first kind) or 2.3 to 2.8 s
// (second kind) have passed since the kind last spawned. elapsed is the
// frame timer's, in seconds.
void run_spawn_rule(Lightning& lightning, float elapsed, float current_time, float* flash_level);
