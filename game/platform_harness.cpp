#include "platform_harness.h"

#include "vela/audio/audio.h"

void PlatformHarness::BeforePresent() {
    if (offline_samples_ && offline_audio_) {
        offline_audio_->Render(kOfflineAudioRate / 60, *offline_samples_);
    }
}

vela::Audio* PlatformHarness::CreateAudio(const vela::AudioConfig& config) {
    if (!offline_samples_) {
        return Inner().CreateAudio(config);
    }
    vela::AudioConfig offline = config;
    offline.offline = true;
    offline.offline_rate = kOfflineAudioRate;
    // The mix depends on the updates alone, not on which window has the focus.
    offline.pause_on_focus_loss = false;
    offline_audio_ = Inner().CreateAudio(offline);
    return offline_audio_;
}

vela::SonyControllerInputManager* PlatformHarness::CreateSonyControllerInputManager() {
    if (controller_factory_) {
        return controller_factory_(Inner());
    }
    return Inner().CreateSonyControllerInputManager();
}
