#include "platform_harness.h"

#include "vela/audio/audio.h"
#include "vela/graphics/sprite_renderer.h"

PlatformHarness::PlatformHarness(vela::Platform& inner) : inner_(inner) {
    SyncFromInner();
}

void PlatformHarness::SyncFromInner() {
    width = inner_.width;
    height = inner_.height;
    clear_colour = inner_.clear_colour;
    depth_clear_value = inner_.depth_clear_value;
    stencil_clear_value = inner_.stencil_clear_value;
}

bool PlatformHarness::Update() {
    if (stop_requested_ || (frame_limit_ > 0 && frames_presented_ >= frame_limit_)) {
        return false;
    }
    return inner_.Update();
}

float PlatformHarness::GetFrameTime() {
    const float measured = inner_.GetFrameTime();
    return fixed_frame_time_ ? 1.0f / 60.0f : measured;
}

void PlatformHarness::PostRender() {
    ++frames_presented_;
    if (frame_limit_ > 0 && frames_presented_ == frame_limit_ && last_frame_hook_) {
        last_frame_hook_();
    }
    if (frame_hook_) {
        frame_hook_();
    }
    if (offline_samples_ && offline_audio_) {
        offline_audio_->Render(kOfflineAudioRate / 60, *offline_samples_);
    }
    inner_.PostRender();
}

vela::Audio* PlatformHarness::CreateAudio(const vela::AudioConfig& config) {
    if (!offline_samples_) {
        return inner_.CreateAudio(config);
    }
    vela::AudioConfig offline = config;
    offline.offline = true;
    offline.offline_rate = kOfflineAudioRate;
    // The mix depends on the updates alone, not on which window has the focus.
    offline.pause_on_focus_loss = false;
    offline_audio_ = inner_.CreateAudio(offline);
    return offline_audio_;
}

vela::SpriteRenderer* PlatformHarness::CreateSpriteRenderer() {
    // The renderer draws on the inner platform, whose clear values it uses.
    return inner_.CreateSpriteRenderer();
}

vela::SonyControllerInputManager* PlatformHarness::CreateSonyControllerInputManager() {
    if (controller_factory_) {
        return controller_factory_(inner_);
    }
    return inner_.CreateSonyControllerInputManager();
}
