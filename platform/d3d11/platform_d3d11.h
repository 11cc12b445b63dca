#pragma once

#include <cstdint>
#include <string>

#include "vela/core/letterbox.h"
#include "vela/core/platform.h"
#include "vela/core/window_options.h"
#include "vela/d3d11/win32.h"
#include "vela/graphics/frame_capture.h"

namespace vela {

class Window;
class RectPainterD3D11;

/// The platform on Windows: a Win32 window, a Direct3D 11 device with a one-buffer swap
/// chain and a 32-bit float depth buffer, the performance-counter frame clock and the
/// message step. Its factories make the Direct3D 11 and Win32 classes.
///
/// The frame keeps its size (width x height) whatever the window does: the swap chain's
/// buffer follows the window's client area, and the frame is drawn straight into it through
/// a viewport on its picture, as large as fits with its aspect kept, between black bars
/// (see Letterbox). F11 and Alt+Enter take the window full screen over its monitor and back.
/// ReadFrame gives the frame's own pixels; a frame drawn into the window at another scale
/// has none, so that read fails once, with a line on standard error, and the frames after
/// it are drawn into a frame-sized texture that PostRender copies into the picture
/// (UseOwnFramebuffer does this up front).
class PlatformD3D11 : public Platform, public FrameCapture {
public:
    /// The program passes 960, 544, windowed, vsync. When the device can't be made the
    /// platform stays without device, window or views (one line on standard error).
    PlatformD3D11(HINSTANCE instance, int32_t width, int32_t height, bool fullscreen, bool vsync);
    /// A frame of options.width x options.height in a window that opens at a size fitted to
    /// the display (WindowFit), or full screen over it in the desktop's own mode.
    PlatformD3D11(HINSTANCE instance, const WindowOptions& options);
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

    /// Reads the frame, the back-buffer size, through a staging texture.
    bool ReadFrame(ImageData& image) override;
    /// The window's picture for the frame drawn so far, the client area's size: the frame
    /// where the window shows it and black bars around it. For tests.
    bool ReadWindow(ImageData& image);
    /// From now on frames are drawn into a frame-sized texture and copied into the window's
    /// picture when presented, so every frame can be read whatever the window's scale.
    void UseOwnFramebuffer();
    void KeepFramesReadable() override { UseOwnFramebuffer(); }

    /// The client area's size, as of the last clear of the back buffer.
    void GetWindowSize(int32_t& window_width, int32_t& window_height) const override;
    bool TakeResized() override;
    /// The mouse over the frame, mapped through the window's black bars.
    bool GetPointer(PointerState& state) const override;
    /// Where the frame is shown in the window; mouse positions map through it.
    const Letterbox& WindowLetterbox() const { return letterbox_; }
    /// Full screen over the monitor in the desktop's own mode, or back to the framed window.
    void SetFullScreen(bool full_screen);
    /// True while the window covers its monitor (either way of going full screen).
    bool IsFullScreen() const;

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
    void Start();
    bool CreateDeviceAndSwapChain();
    DXGI_RATIONAL FindRefreshRate(uint32_t desktop_width, uint32_t desktop_height) const;
    bool CreateViews();
    bool CreateWindowViews();
    bool CreateDepth(uint32_t depth_width, uint32_t depth_height, ID3D11Texture2D*& texture,
                     ID3D11DepthStencilView*& view) const;
    ID3D11RenderTargetView* ColourView() const;
    ID3D11DepthStencilView* DepthView() const;
    // Follows the client area's size with the swap chain's buffer; true when it changed.
    bool RefreshWindowSize();
    // Puts the frame texture into the window's picture and blackens the bars.
    void ComposeWindow();
    void FillBars();
    bool ReadTexture(ID3D11Texture2D* source, const PixelRect& region, ImageData& image);
    void ReleaseAll();

    bool fine_timer_ = false;  // timeBeginPeriod(1) in force
    uint32_t buffer_width_ = 0;
    uint32_t buffer_height_ = 0;
    Letterbox letterbox_;
    bool resized_ = false;
    // The back buffer's own depth, when the window is not the frame's size.
    ID3D11Texture2D* window_depth_buffer_ = nullptr;
    ID3D11DepthStencilView* window_depth_view_ = nullptr;
    RectPainterD3D11* painter_ = nullptr;
    // The frame texture that frames are drawn into once they must stay readable.
    bool own_frame_ = false;
    ID3D11Texture2D* frame_texture_ = nullptr;
    ID3D11RenderTargetView* frame_view_ = nullptr;
    ID3D11ShaderResourceView* frame_resource_ = nullptr;
    // The frame was begun in the window before it moved to the frame texture: shown as drawn.
    bool present_as_drawn_ = false;
};

}  // namespace vela
