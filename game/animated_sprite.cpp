#include "animated_sprite.h"

AnimatedSprite::AnimatedSprite(float sprite_width, float sprite_height, vela::Texture* strip,
                               int32_t frame_count, int32_t ticks_per_frame) {
    position = vela::Vector3(0.0f, 0.0f, 0.0f);
    width = sprite_width;
    height = sprite_height;
    texture = strip;
    frameCount = frame_count < 1 ? 1 : frame_count;
    ticksPerFrame = ticks_per_frame < 1 ? 1 : ticks_per_frame;
    frame = 0;
    tickCounter = 0;
    playing = false;
    frameStepU = 1.0f / static_cast<float>(frameCount);
    uv_width = 1.0f / static_cast<float>(frameCount);
}

void AnimatedSprite::Play(float x, float y, float z, float angle) {
    position = vela::Vector3(x, y, z);
    rotation = angle;
    playing = true;
}

void AnimatedSprite::Update() {
    tickCounter += 1;
    if (tickCounter >= ticksPerFrame) {
        frame += 1;
        tickCounter = 0;
    }
    // U of 1.0 on the last tick wraps to frame 0 in the sampler.
    uv_position = vela::Vector2(static_cast<float>(frame) * frameStepU, 1.0f);
    if (frame >= frameCount) {
        frame = 0;
        tickCounter = 0;
        playing = false;
    }
}
