#include "lightning.h"

#include <algorithm>
#include <new>

namespace {

// What differs between the two kinds. Centre x is 2 * (rand() % x_steps) -
// x_steps, centre z is -550 - 2 * (rand() % z_steps), both even numbers.
struct BoltKindTraits {
    int x_steps;
    int z_steps;
    float base_interval; // seconds; the spawn rule widens it to double
};

constexpr BoltKindTraits traits_of(BoltKind kind) {
    return kind == BoltKind::First ? BoltKindTraits{400, 500, 1.6f}
                                   : BoltKindTraits{200, 200, 2.6f};
}

constexpr int index_of(BoltKind kind) {
    return kind == BoltKind::First ? 0 : 1;
}

} // namespace

void create_bolt_pools(Lightning& lightning) {
    // A pool that cannot be had leaves the sky without bolts (see draw_frame).
    lightning.first_pool.reset(new (std::nothrow) SpritePool(500));
    lightning.second_pool.reset(new (std::nothrow) SpritePool(300));
}

SpritePool& pool_of(Lightning& lightning, BoltKind kind) {
    return kind == BoltKind::First ? *lightning.first_pool : *lightning.second_pool;
}

void spawn_bolt(Lightning& lightning, BoltKind kind, float current_time, float* flash_level) {
    if (!lightning.first_pool || !lightning.second_pool) {
        return;
    }
    SpritePool& pool = pool_of(lightning, kind);
    // A bolt that cannot be had is not spawned; the draws of its place and
    // size are not made either.
    std::unique_ptr<BoltSprite> bolt(new (std::nothrow) BoltSprite(&pool, current_time));
    if (!bolt) {
        return;
    }

    // The order of the three draws is part of a run's replay.
    const BoltKindTraits traits = traits_of(kind);
    const int x = 2 * (lightning.random() % traits.x_steps) - traits.x_steps;
    const int z = -550 - 2 * (lightning.random() % traits.z_steps);
    const double half_size = 220.0 + 0.1 * (lightning.random() % 10 - 5);

    bolt->fade_in_rate = 10.0f;
    bolt->configure(Vec3{static_cast<float>(x), 50.0f, static_cast<float>(z)}, Vec3{},
                    ColourRgba{1.0f, 1.0f, 1.0f, 1.0f}, ColourRgba{}, static_cast<float>(half_size),
                    0.0f, 0.2f, 4.0f);
    bolt->flash_target = flash_level;
    const FadeSprite& placed = *bolt;
    if (pool.add(std::move(bolt)) && lightning.on_spawn) {
        lightning.on_spawn(placed);
    }
    std::int32_t& peak = lightning.peak_count[index_of(kind)];
    peak = std::max(peak, pool.count());
}

void run_spawn_rule(Lightning& lightning, float elapsed, float current_time, float* flash_level) {
    for (BoltKind kind : {BoltKind::First, BoltKind::Second}) {
        float& last_spawn = lightning.last_spawn_time[index_of(kind)];
        const float since_last = elapsed - last_spawn;
        // A new threshold every frame, whether or not a bolt follows.
        const double threshold =
            0.1 * (lightning.random() % 6 - 3) + static_cast<double>(traits_of(kind).base_interval);
        if (threshold < since_last) {
            spawn_bolt(lightning, kind, current_time, flash_level);
            last_spawn = elapsed; // a full pool's refusal still counts as a spawn
        }
    }
}
