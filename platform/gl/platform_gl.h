#pragma once

#include <cstdint>
#include <string>

#include "core/platform.h"
#include "graphics/frame_capture.h"

struct SDL_Window;

namespace vela {

/// The platform on SDL2 and OpenGL 3.3 core. Everything is drawn into the platform's own
/// framebuffer object (RGBA8 colour, 32-bit float depth, the back-buffer size); PostRender
/// blits it to the window and swaps. With SDL_VIDEODRIVER=offscreen it runs without a
/// display (Mesa llvmpipe). When the window or the GL context can't be made, one line goes
/// to standard error and the platform stays inert: IsReady() is false, frame operations do
/// nothing and the graphics factories make objects that draw nothing.
class PlatformGL : public Platform, public FrameCapture {
public:
    /// Opens a window of `width` x `height` pixels (or the desktop's size when `fullscreen`) with a
    /// GL 3.3 core context; check IsReady.
    PlatformGL(int width, int height, bool fullscreen, bool vsync);
    ~PlatformGL() override;

    /// True when the window and the GL context were made; otherwise nothing is drawn.
    bool IsReady() const { return context_ != nullptr; }

    bool Update() override;
    float GetFrameTime() override;
    void PreRender() override;
    void PostRender() override;
    void Clear() override;
    std::string FormatFilename(const char* name) const override;

    SpriteRenderer* CreateSpriteRenderer() override;
    File* CreateFile() override;
    TouchInputManager* CreateTouchInputManager() override;
    Texture* CreateTexture(const ImageData& image) override;
    Mesh* CreateMesh() override;
    SonyControllerInputManager* CreateSonyControllerInputManager() override;
    Renderer3D* CreateRenderer3D() override;
    RenderTarget* CreateRenderTarget(int32_t width, int32_t height) override;

    Matrix44 PerspectiveProjectionFov(float fov, float aspect, float near_z,
                                      float far_z) const override;
    Matrix44 PerspectiveProjectionFrustum(float left, float right, float top, float bottom,
                                          float near_z, float far_z) const override;

    /// Top row first, read from the platform's framebuffer object.
    bool ReadFrame(ImageData& image) override;

    /// Binds the current target (render_target's surface when set, else the platform's
    /// framebuffer) with the platform's depth buffer and sets the viewport to the
    /// back-buffer size. A render target is drawn into with its rows top-down, so its
    /// texture reads the same way up as on Direct3D; one whose creation failed gets depth
    /// only.
    void BindRenderTargets();

    /// True when clip-space depth is 0..1 as in Direct3D (glClipControl); otherwise GL's
    /// -1..1, which the perspective projections are then converted to.
    bool ZeroToOneDepth() const { return zero_to_one_depth_; }
    /// A projection built for depth 0..1, fitted to GL's -1..1 when zero_to_one is false.
    static Matrix44 FitClipDepth(const Matrix44& projection, bool zero_to_one);
    /// The SDL window, owned by the platform; null when it could not be made.
    SDL_Window* GetWindow() const { return window_; }
    /// The GL name of the platform's framebuffer object (0 when none).
    uint32_t GetFramebuffer() const { return framebuffer_; }
    /// The depth renderbuffer shared by the back buffer and every render target.
    uint32_t GetDepthBuffer() const { return depth_buffer_; }

private:
    bool OpenWindow(int requested_width, int requested_height, bool fullscreen);
    bool CreateFramebuffer();
    void ReleaseGL();

    SDL_Window* window_ = nullptr;
    void* context_ = nullptr;  ///< SDL_GLContext
    bool video_initialised_ = false;
    bool vsync_ = false;
    bool zero_to_one_depth_ = false;
    bool quit_taken_ = false;
    uint64_t last_counter_ = 0;
    uint32_t framebuffer_ = 0;
    uint32_t colour_buffer_ = 0;
    uint32_t depth_buffer_ = 0;
};

}  // namespace vela
