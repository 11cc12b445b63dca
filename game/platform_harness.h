#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "vela/core/platform_relay.h"

namespace vela {
class SonyControllerInputManager;
}

// The game's relay to the platform, with what its own options need on top of the shared
// ones: the controller manager can come from a factory of ours (a replay), the pointer can
// be hidden from the game (while replaying), and the sound can be mixed offline.
class PlatformHarness : public vela::PlatformRelay {
public:
    using ControllerFactory = std::function<vela::SonyControllerInputManager*(vela::Platform&)>;

    explicit PlatformHarness(vela::Platform& inner) : vela::PlatformRelay(inner) {}

    // Called instead of the inner platform's CreateSonyControllerInputManager; it is
    // given the inner platform to wrap its manager if it wants.
    void SetControllerFactory(ControllerFactory factory) {
        controller_factory_ = std::move(factory);
    }
    // A hidden pointer reads as no mouse at all.
    void SetPointerShown(bool shown) { pointer_shown_ = shown; }
    // The program's audio is mixed offline instead of played: every frame adds one update's
    // share (1/60 s) of stereo 16-bit samples at kOfflineAudioRate to `samples`.
    void SetOfflineAudio(std::vector<int16_t>* samples) { offline_samples_ = samples; }
    static constexpr int32_t kOfflineAudioRate = 48000;

    vela::SonyControllerInputManager* CreateSonyControllerInputManager() override;
    vela::Audio* CreateAudio(const vela::AudioConfig& config) override;
    bool GetPointer(vela::PointerState& state) const override {
        return pointer_shown_ && vela::PlatformRelay::GetPointer(state);
    }

protected:
    void BeforePresent() override;

private:
    ControllerFactory controller_factory_;
    bool pointer_shown_ = true;
    std::vector<int16_t>* offline_samples_ = nullptr;
    // The last offline audio made, owned by the program, which deletes it after its last
    // frame.
    vela::Audio* offline_audio_ = nullptr;
};
