#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "vela/core/platform.h"

namespace vela {
class SonyControllerInputManager;
}

// Runs the game on another platform with hooks for demos, bug reports and tests: the
// controller manager can come from a factory of ours (replay, recording), the run can
// stop after a number of frames, and the frame time can be pinned to 1/60 s. Everything
// else is passed straight through.
class PlatformHarness : public vela::Platform {
public:
    using ControllerFactory = std::function<vela::SonyControllerInputManager*(vela::Platform&)>;

    explicit PlatformHarness(vela::Platform& inner);

    // Called instead of the inner platform's CreateSonyControllerInputManager; it is
    // given the inner platform to wrap its manager if it wants.
    void SetControllerFactory(ControllerFactory factory) {
        controller_factory_ = std::move(factory);
    }
    // 0 runs until the window closes.
    void SetFrameLimit(int64_t frames) { frame_limit_ = frames; }
    // Also runs unpaced. Set before the program asks for its frame rate.
    void SetFixedFrameTime(bool fixed) { fixed_frame_time_ = fixed; }
    // Called in the last frame of a limited run after drawing, before the present.
    void SetLastFrameHook(std::function<void()> hook) { last_frame_hook_ = std::move(hook); }
    // Called in every frame after drawing, before the present.
    void SetFrameHook(std::function<void()> hook) { frame_hook_ = std::move(hook); }
    int64_t FramesPresented() const { return frames_presented_; }
    // The program's audio is mixed offline instead of played: every frame adds one update's
    // share (1/60 s) of stereo 16-bit samples at kOfflineAudioRate to `samples`.
    void SetOfflineAudio(std::vector<int16_t>* samples) { offline_samples_ = samples; }
    static constexpr int32_t kOfflineAudioRate = 48000;
    // Ends the run at the next Update, as a closed window would.
    void RequestStop() { stop_requested_ = true; }

    bool Update() override;
    float GetFrameTime() override;
    void PreRender() override { inner_.PreRender(); }
    void PostRender() override;
    void Clear() override { inner_.Clear(); }
    // The inner platform presents, so it paces. A run with a fixed frame time does not
    // depend on the clock: it goes as fast as the machine can.
    void SetTargetFrameRate(double frames_per_second) override {
        inner_.SetTargetFrameRate(fixed_frame_time_ ? 0.0 : frames_per_second);
    }
    std::string FormatFilename(const char* name) const override {
        return inner_.FormatFilename(name);
    }
    vela::SpriteRenderer* CreateSpriteRenderer() override;
    vela::File* CreateFile() override { return inner_.CreateFile(); }
    vela::TouchInputManager* CreateTouchInputManager() override {
        return inner_.CreateTouchInputManager();
    }
    vela::Texture* CreateTexture(const vela::ImageData& image) override {
        return inner_.CreateTexture(image);
    }
    vela::Mesh* CreateMesh() override { return inner_.CreateMesh(); }
    vela::SonyControllerInputManager* CreateSonyControllerInputManager() override;
    vela::Renderer3D* CreateRenderer3D() override { return inner_.CreateRenderer3D(); }
    vela::Audio* CreateAudio(const vela::AudioConfig& config) override;
    bool HasFocus() const override { return inner_.HasFocus(); }
    vela::RenderTarget* CreateRenderTarget(int32_t w, int32_t h) override {
        return inner_.CreateRenderTarget(w, h);
    }
    vela::Matrix44 PerspectiveProjectionFov(float fov, float aspect, float near_z,
                                            float far_z) const override {
        return inner_.PerspectiveProjectionFov(fov, aspect, near_z, far_z);
    }
    vela::Matrix44 PerspectiveProjectionFrustum(float left, float right, float top, float bottom,
                                                float near_z, float far_z) const override {
        return inner_.PerspectiveProjectionFrustum(left, right, top, bottom, near_z, far_z);
    }

private:
    void SyncFromInner();

    vela::Platform& inner_;
    ControllerFactory controller_factory_;
    std::function<void()> last_frame_hook_;
    std::function<void()> frame_hook_;
    int64_t frame_limit_ = 0;
    int64_t frames_presented_ = 0;
    bool fixed_frame_time_ = false;
    bool stop_requested_ = false;
    std::vector<int16_t>* offline_samples_ = nullptr;
    // The last offline audio made, owned by the program, which deletes it after its last
    // frame.
    vela::Audio* offline_audio_ = nullptr;
};
