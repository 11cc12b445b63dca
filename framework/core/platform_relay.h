#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "vela/core/platform.h"

namespace vela {

/// Runs a program on another platform with what demos, bug reports and tests need: the run
/// can stop after a number of frames or on request, the frame time can be pinned to 1/60 s,
/// and hooks see each drawn frame before it is presented. Everything else is passed
/// straight through to the inner platform, which must outlive the relay.
class PlatformRelay : public Platform {
public:
    /// Relays to `inner`, taking its back-buffer size and clear values.
    explicit PlatformRelay(Platform& inner);

    /// 0 runs until the window closes.
    void SetFrameLimit(int64_t frames) { frame_limit_ = frames; }
    /// Also runs unpaced. Set before the program asks for its frame rate.
    void SetFixedFrameTime(bool fixed) { fixed_frame_time_ = fixed; }
    /// Called in the last frame of a limited run after drawing, before the present.
    void SetLastFrameHook(std::function<void()> hook) { last_frame_hook_ = std::move(hook); }
    /// Called in every frame after drawing, before the present.
    void SetFrameHook(std::function<void()> hook) { frame_hook_ = std::move(hook); }
    /// Frames drawn so far.
    int64_t FramesPresented() const { return frames_presented_; }
    /// Ends the run at the next Update, as a closed window would.
    void RequestStop() { stop_requested_ = true; }
    /// The platform relayed to.
    Platform& Inner() const { return inner_; }

    bool Update() override;
    float GetFrameTime() override;
    void PreRender() override { inner_.PreRender(); }
    void PostRender() override;
    void Clear() override { inner_.Clear(); }
    /// The inner platform presents, so it paces. A run with a fixed frame time does not
    /// depend on the clock: it goes as fast as the machine can.
    void SetTargetFrameRate(double frames_per_second) override {
        inner_.SetTargetFrameRate(fixed_frame_time_ ? 0.0 : frames_per_second);
    }
    std::string FormatFilename(const char* name) const override {
        return inner_.FormatFilename(name);
    }
    SpriteRenderer* CreateSpriteRenderer() override { return inner_.CreateSpriteRenderer(); }
    File* CreateFile() override { return inner_.CreateFile(); }
    TouchInputManager* CreateTouchInputManager() override {
        return inner_.CreateTouchInputManager();
    }
    Texture* CreateTexture(const ImageData& image) override { return inner_.CreateTexture(image); }
    Mesh* CreateMesh() override { return inner_.CreateMesh(); }
    SonyControllerInputManager* CreateSonyControllerInputManager() override {
        return inner_.CreateSonyControllerInputManager();
    }
    Renderer3D* CreateRenderer3D() override { return inner_.CreateRenderer3D(); }
    RenderTarget* CreateRenderTarget(int32_t w, int32_t h) override {
        return inner_.CreateRenderTarget(w, h);
    }
    Audio* CreateAudio(const AudioConfig& config) override;
    bool HasFocus() const override { return inner_.HasFocus(); }
    bool GetPointer(PointerState& state) const override { return inner_.GetPointer(state); }
    void GetWindowSize(int32_t& window_width, int32_t& window_height) const override {
        inner_.GetWindowSize(window_width, window_height);
    }
    bool TakeResized() override { return inner_.TakeResized(); }
    Matrix44 PerspectiveProjectionFov(float fov, float aspect, float near_z,
                                      float far_z) const override {
        return inner_.PerspectiveProjectionFov(fov, aspect, near_z, far_z);
    }
    Matrix44 PerspectiveProjectionFrustum(float left, float right, float top, float bottom,
                                          float near_z, float far_z) const override {
        return inner_.PerspectiveProjectionFrustum(left, right, top, bottom, near_z, far_z);
    }

protected:
    /// Called in every frame after the hooks, just before the inner platform presents.
    virtual void BeforePresent() {}

private:
    Platform& inner_;
    std::function<void()> last_frame_hook_;
    std::function<void()> frame_hook_;
    int64_t frame_limit_ = 0;
    int64_t frames_presented_ = 0;
    bool fixed_frame_time_ = false;
    bool stop_requested_ = false;
};

}  // namespace vela
