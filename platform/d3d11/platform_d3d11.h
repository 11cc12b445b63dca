#pragma once

#include <cstdint>
#include <string>

#include "vela/core/platform.h"
#include "vela/d3d11/win32.h"
#include "vela/graphics/frame_capture.h"

namespace vela {

class Window;

/// The platform on Windows: a Win32 window, a Direct3D 11 device with a one-buffer swap
/// chain and a 32-bit float depth buffer, the performance-counter frame clock and the
/// message step. Its factories make the Direct3D 11 and Win32 classes.
class PlatformD3D11 : public Platform, public FrameCapture {
public:
    /// The program passes 960, 544, windowed, vsync. When the device can't be made the
    /// platform stays without device, window or views (one line on standard error).
    PlatformD3D11(HINSTANCE instance, int32_t width, int32_t height, bool fullscreen, bool vsync);
    ~PlatformD3D11() override;

    bool Update() override;
    float GetFrameTime() override;
    void PreRender() override;
    void PostRender() override;
    void Clear() override;
    std::string FormatFilename(const char* name) const override;
    void SetTargetFrameRate(double frames_per_second) override;

    SpriteRenderer* CreateSpriteRenderer() override;
    File* CreateFile() override;
    TouchInputManager* CreateTouchInputManager() override;
    Texture* CreateTexture(const ImageData& image) override;
    Mesh* CreateMesh() override;
    SonyControllerInputManager* CreateSonyControllerInputManager() override;
    Renderer3D* CreateRenderer3D() override;
    RenderTarget* CreateRenderTarget(int32_t width, int32_t height) override;
    /// OpenAL Soft, through the WASAPI, DirectSound or WinMM backend.
    Audio* CreateAudio(const AudioConfig& config) override;
    /// The window is the foreground one and not minimised.
    bool HasFocus() const override;

    Matrix44 PerspectiveProjectionFov(float fov, float aspect, float near_z,
                                      float far_z) const override;
    Matrix44 PerspectiveProjectionFrustum(float left, float right, float top, float bottom,
                                          float near_z, float far_z) const override;

    /// Binds the current colour view (render_target's, else the back buffer's) and
    /// depth_view to the output-merger stage; a render target of another size than the
    /// back buffer brings a depth view of its own size instead. A render target without a
    /// view binds no colour: drawing then only reaches the depth buffer.
    void BindRenderTargets();

    /// Reads the back buffer through a staging texture.
    bool ReadFrame(ImageData& image) override;

    /// Seconds between two performance-counter readings.
    static float TicksToSeconds(int64_t last, int64_t now, int64_t frequency);

    /// True when the Direct3D device was made; otherwise nothing is drawn.
    bool IsReady() const { return device != nullptr; }

    Window* window = nullptr;  ///< the Win32 window, owned; null if it could not be made
    int64_t last_counter = 0;  ///< performance counter at the last GetFrameTime
    /// The driver type the device was made with.
    D3D_DRIVER_TYPE driver_type = D3D_DRIVER_TYPE_UNKNOWN;
    ID3D11Device* device = nullptr;          ///< owned; null when the platform could not start
    ID3D11DeviceContext* context = nullptr;  ///< immediate context, owned
    IDXGISwapChain* swap_chain = nullptr;    ///< owned
    ID3D11Texture2D* back_buffer = nullptr;  ///< the swap chain's buffer, owned reference
    ID3D11RenderTargetView* back_buffer_view = nullptr;  ///< owned
    ID3D11Texture2D* depth_buffer = nullptr;  ///< 32-bit float depth of the back-buffer size, owned
    ID3D11DepthStencilView* depth_view = nullptr;  ///< owned
    bool vsync = false;                            ///< PostRender waits for the vertical blank

private:
    bool CreateDeviceAndSwapChain();
    DXGI_RATIONAL FindRefreshRate(uint32_t desktop_width, uint32_t desktop_height) const;
    bool CreateViews();
    ID3D11RenderTargetView* ColourView() const;
    ID3D11DepthStencilView* DepthView() const;
    void ReleaseAll();

    bool fine_timer_ = false;  // timeBeginPeriod(1) in force
};

}  // namespace vela
