#include "vela/core/platform_relay.h"

namespace vela {

PlatformRelay::PlatformRelay(Platform& inner) : inner_(inner) {
    width = inner_.width;
    height = inner_.height;
    clear_colour = inner_.clear_colour;
    depth_clear_value = inner_.depth_clear_value;
    stencil_clear_value = inner_.stencil_clear_value;
}

bool PlatformRelay::Update() {
    if (stop_requested_ || (frame_limit_ > 0 && frames_presented_ >= frame_limit_)) {
        return false;
    }
    return inner_.Update();
}

float PlatformRelay::GetFrameTime() {
    const float measured = inner_.GetFrameTime();
    return fixed_frame_time_ ? 1.0f / 60.0f : measured;
}

void PlatformRelay::PostRender() {
    ++frames_presented_;
    if (frame_limit_ > 0 && frames_presented_ == frame_limit_ && last_frame_hook_) {
        last_frame_hook_();
    }
    if (frame_hook_) {
        frame_hook_();
    }
    BeforePresent();
    inner_.PostRender();
}

Audio* PlatformRelay::CreateAudio(const AudioConfig& config) {
    return inner_.CreateAudio(config);
}

}  // namespace vela
