#pragma once

#include <cstdint>

#include "game_object.h"

// The grenade: held in the player's hand until thrown, then flying with a fuse counted
// in ticks.
struct Frag : GameObject {
    static constexpr int32_t kFuseTicks = 200;

    bool thrown = false;
    int32_t fuse = kFuseTicks;
    int32_t fuseLength = kFuseTicks;

    // Impulse (-1.5 p cos angle, p sin angle + p) at the centre and a -5 rad/s spin.
    void Throw(float angle, float power);
    // Back to held with a full fuse and no velocity; the next Update puts it in the hand.
    void Reset();
    // One tick: burn the fuse in flight, else pin the body in the hand; then the sprite.
    void Update();
    // 60 rays of 1 m from `centre`: kills the bad guys hit first, pushes the dynamic
    // bodies hit first, then resets the frag. Returns the number of bad guys killed.
    int32_t Explode(const b2Vec2& centre, b2World* world);
};

// A bullet circle of radius 0.12 m with linear damping, held, with a full fuse.
Frag CreateFrag(float x, float y, b2World* world);
