#pragma once

#include <cstdint>

#include "vela/graphics/sprite.h"

// A strip of equal frames side by side across one texture, played once: each frame is
// shown for ticksPerFrame ticks.
struct AnimatedSprite : vela::Sprite {
    int32_t frame = 0;
    int32_t frameCount = 1;
    int32_t tickCounter = 0;
    int32_t ticksPerFrame = 1;
    float frameStepU = 1.0f;
    bool playing = false;

    AnimatedSprite() = default;
    // Counts below 1 are taken as 1.
    AnimatedSprite(float sprite_width, float sprite_height, vela::Texture* strip,
                   int32_t frame_count, int32_t ticks_per_frame);

    // Places the sprite and starts it; a sprite already playing carries on from its frame.
    void Play(float x, float y, float z, float angle);
    // One tick; only while playing.
    void Update();
};
