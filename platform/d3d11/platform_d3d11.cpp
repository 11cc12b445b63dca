#include "vela/d3d11/platform_d3d11.h"

#include <cstdio>
#include <cstring>

#include "vela/core/window_fit.h"
#include "vela/d3d11/file_win32.h"
#include "vela/d3d11/mesh_d3d11.h"
#include "vela/d3d11/rect_painter_d3d11.h"
#include "vela/d3d11/render_target_d3d11.h"
#include "vela/d3d11/renderer_3d_d3d11.h"
#include "vela/d3d11/sony_controller_input_manager_d3d11.h"
#include "vela/d3d11/sprite_renderer_d3d11.h"
#include "vela/d3d11/texture_d3d11.h"
#include "vela/d3d11/touch_input_manager_d3d11.h"
#include "vela/d3d11/window.h"
#include "vela/graphics/image_data.h"
#include "vela/input/pointer.h"
#include "vela/openal/audio_openal.h"

namespace vela {

PlatformD3D11::PlatformD3D11(HINSTANCE instance, int32_t width_, int32_t height_, bool fullscreen,
                             bool vsync_)
    : vsync(vsync_) {
    clear_colour = Vector4(0.4f, 0.525f, 0.7f, 1.0f);
    depth_clear_value = 1.0f;
    stencil_clear_value = 0;

    window = new Window(instance, static_cast<uint32_t>(width_ > 0 ? width_ : 0),
                        static_cast<uint32_t>(height_ > 0 ? height_ : 0), fullscreen);
    width = static_cast<int32_t>(window->width);
    height = static_cast<int32_t>(window->height);
    Start();
}

PlatformD3D11::PlatformD3D11(HINSTANCE instance, const WindowOptions& options)
    : vsync(options.vsync) {
    clear_colour = Vector4(0.4f, 0.525f, 0.7f, 1.0f);
    depth_clear_value = 1.0f;
    stencil_clear_value = 0;
    width = options.width;
    height = options.height;
    if (width <= 0 || height <= 0) {
        std::fprintf(stderr, "vela: frame size %dx%d is not usable\n", width, height);
        return;
    }
    const int desktop_width = GetSystemMetrics(SM_CXSCREEN);
    const int desktop_height = GetSystemMetrics(SM_CYSCREEN);
    if (desktop_width <= 0 || desktop_height <= 0) {
        std::fprintf(stderr,
                     "vela: could not read the display's size: the window opens at the frame's "
                     "size\n");
    }
    const WindowFit fit(options, desktop_width, desktop_height);
    if (!fit.Note().empty()) {
        std::fprintf(stderr, "%s\n", fit.Note().c_str());
    }
    window = new Window(instance, static_cast<uint32_t>(fit.Width()),
                        static_cast<uint32_t>(fit.Height()), options.fullscreen,
                        FullScreenKind::Desktop);
    // Smaller than a quarter of the frame the picture is of no use.
    window->SetMinimumClientSize(static_cast<uint32_t>(width / 4 > 0 ? width / 4 : 1),
                                 static_cast<uint32_t>(height / 4 > 0 ? height / 4 : 1));
    Start();
}

void PlatformD3D11::Start() {
    if (!CreateDeviceAndSwapChain()) {
        std::fprintf(stderr, "vela: no Direct3D 11 device could be created\n");
        ReleaseAll();
        return;
    }
    if (!CreateViews()) {
        std::fprintf(stderr,
                     "PlatformD3D11: the back buffer or depth buffer could not be set up\n");
        ReleaseAll();
        return;
    }
    // DXGI's own Alt+Enter would switch the display mode; the window does it instead.
    IDXGIFactory* factory = nullptr;
    if (SUCCEEDED(
            swap_chain->GetParent(__uuidof(IDXGIFactory), reinterpret_cast<void**>(&factory)))) {
        factory->MakeWindowAssociation(window->hwnd, DXGI_MWA_NO_ALT_ENTER);
    }
    SafeRelease(factory);
    painter_ = new RectPainterD3D11(device);
    letterbox_ = Letterbox(width, height, static_cast<int32_t>(buffer_width_),
                           static_cast<int32_t>(buffer_height_));
    BindRenderTargets();
}

PlatformD3D11::~PlatformD3D11() {
    if (fine_timer_) {
        timeEndPeriod(1);
    }
    ReleaseAll();
}

void PlatformD3D11::ReleaseAll() {
    delete painter_;
    painter_ = nullptr;
    SafeRelease(frame_resource_);
    SafeRelease(frame_view_);
    SafeRelease(frame_texture_);
    SafeRelease(window_depth_view_);
    SafeRelease(window_depth_buffer_);
    SafeRelease(depth_view);
    SafeRelease(depth_buffer);
    SafeRelease(back_buffer_view);
    SafeRelease(back_buffer);
    if (context != nullptr) {
        context->ClearState();
    }
    SafeRelease(context);
    if (swap_chain != nullptr) {
        swap_chain->SetFullscreenState(FALSE, nullptr);
    }
    SafeRelease(swap_chain);
    SafeRelease(device);
    if (window != nullptr) {
        window->Teardown();
        delete window;
        window = nullptr;
    }
}

DXGI_RATIONAL PlatformD3D11::FindRefreshRate(uint32_t desktop_width,
                                             uint32_t desktop_height) const {
    DXGI_RATIONAL rate = {0, 1};
    IDXGIFactory* factory = nullptr;
    IDXGIAdapter* adapter = nullptr;
    IDXGIOutput* output = nullptr;
    if (SUCCEEDED(CreateDXGIFactory(__uuidof(IDXGIFactory), reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->EnumAdapters(0, &adapter)) &&
        SUCCEEDED(adapter->EnumOutputs(0, &output))) {
        UINT count = 0;
        if (SUCCEEDED(output->GetDisplayModeList(DXGI_FORMAT_R8G8B8A8_UNORM,
                                                 DXGI_ENUM_MODES_INTERLACED, &count, nullptr)) &&
            count > 0) {
            DXGI_MODE_DESC* modes = new DXGI_MODE_DESC[count];
            if (SUCCEEDED(output->GetDisplayModeList(DXGI_FORMAT_R8G8B8A8_UNORM,
                                                     DXGI_ENUM_MODES_INTERLACED, &count, modes))) {
                // The last mode of the desktop's size wins.
                for (UINT i = 0; i < count; ++i) {
                    if (modes[i].Width == desktop_width && modes[i].Height == desktop_height) {
                        rate = modes[i].RefreshRate;
                    }
                }
            }
            delete[] modes;
        }
    }
    SafeRelease(output);
    SafeRelease(adapter);
    SafeRelease(factory);
    return rate;
}

bool PlatformD3D11::CreateDeviceAndSwapChain() {
    const uint32_t desktop_width = static_cast<uint32_t>(GetSystemMetrics(SM_CXSCREEN));
    const uint32_t desktop_height = static_cast<uint32_t>(GetSystemMetrics(SM_CYSCREEN));
    const DXGI_RATIONAL refresh_rate = FindRefreshRate(desktop_width, desktop_height);

    // The client area as it came out (full screen over the desktop, a window the system
    // kept smaller than asked): the buffer follows the window from now on.
    window->GetClientSize(buffer_width_, buffer_height_);
    if (buffer_width_ == 0 || buffer_height_ == 0) {
        buffer_width_ = window->width;
        buffer_height_ = window->height;
    }
    DXGI_SWAP_CHAIN_DESC desc = {};
    desc.BufferDesc.Width = buffer_width_;
    desc.BufferDesc.Height = buffer_height_;
    desc.BufferDesc.RefreshRate = vsync ? refresh_rate : DXGI_RATIONAL{0, 1};
    desc.BufferDesc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    desc.BufferDesc.ScanlineOrdering = DXGI_MODE_SCANLINE_ORDER_UNSPECIFIED;
    desc.BufferDesc.Scaling = DXGI_MODE_SCALING_UNSPECIFIED;
    desc.SampleDesc.Count = 1;
    desc.SampleDesc.Quality = 0;
    desc.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
    desc.BufferCount = 1;
    desc.OutputWindow = window->hwnd;
    desc.Windowed = window->fullscreen ? FALSE : TRUE;
    desc.SwapEffect = DXGI_SWAP_EFFECT_DISCARD;
    desc.Flags = 0;

    const D3D_FEATURE_LEVEL levels[] = {D3D_FEATURE_LEVEL_11_0, D3D_FEATURE_LEVEL_10_1,
                                        D3D_FEATURE_LEVEL_10_0};
    const D3D_DRIVER_TYPE driver_types[] = {D3D_DRIVER_TYPE_HARDWARE, D3D_DRIVER_TYPE_REFERENCE};
    for (D3D_DRIVER_TYPE type : driver_types) {
        driver_type = type;
        const HRESULT result = D3D11CreateDeviceAndSwapChain(
            nullptr, driver_type, nullptr, 0, levels, 3, D3D11_SDK_VERSION, &desc, &swap_chain,
            &device, nullptr, &context);
        if (SUCCEEDED(result)) {
            return true;
        }
    }
    return false;
}

bool PlatformD3D11::CreateViews() {
    return CreateWindowViews() &&
           CreateDepth(static_cast<uint32_t>(width), static_cast<uint32_t>(height), depth_buffer,
                       depth_view);
}

bool PlatformD3D11::CreateWindowViews() {
    if (FAILED(swap_chain->GetBuffer(0, __uuidof(ID3D11Texture2D),
                                     reinterpret_cast<void**>(&back_buffer))) ||
        FAILED(device->CreateRenderTargetView(back_buffer, nullptr, &back_buffer_view))) {
        return false;
    }
    // The frame's depth serves a window of the frame's size; any other size has its own.
    if (buffer_width_ == static_cast<uint32_t>(width) &&
        buffer_height_ == static_cast<uint32_t>(height)) {
        return true;
    }
    return CreateDepth(buffer_width_, buffer_height_, window_depth_buffer_, window_depth_view_);
}

bool PlatformD3D11::CreateDepth(uint32_t depth_width, uint32_t depth_height,
                                ID3D11Texture2D*& texture, ID3D11DepthStencilView*& view) const {
    D3D11_TEXTURE2D_DESC depth_desc = {};
    depth_desc.Width = depth_width;
    depth_desc.Height = depth_height;
    depth_desc.MipLevels = 1;
    depth_desc.ArraySize = 1;
    depth_desc.Format = DXGI_FORMAT_D32_FLOAT;
    depth_desc.SampleDesc.Count = 1;
    depth_desc.SampleDesc.Quality = 0;
    depth_desc.Usage = D3D11_USAGE_DEFAULT;
    depth_desc.BindFlags = D3D11_BIND_DEPTH_STENCIL;
    if (FAILED(device->CreateTexture2D(&depth_desc, nullptr, &texture))) {
        return false;
    }

    D3D11_DEPTH_STENCIL_VIEW_DESC view_desc = {};
    view_desc.Format = DXGI_FORMAT_D32_FLOAT;
    view_desc.ViewDimension = D3D11_DSV_DIMENSION_TEXTURE2D;
    view_desc.Texture2D.MipSlice = 0;
    return SUCCEEDED(device->CreateDepthStencilView(texture, &view_desc, &view));
}

bool PlatformD3D11::RefreshWindowSize() {
    if (swap_chain == nullptr || window == nullptr) {
        return false;
    }
    uint32_t client_width = 0, client_height = 0;
    window->GetClientSize(client_width, client_height);
    // A minimised window has no client area: it keeps its last picture.
    if (client_width == 0 || client_height == 0 ||
        (client_width == buffer_width_ && client_height == buffer_height_)) {
        return false;
    }
    context->OMSetRenderTargets(0, nullptr, nullptr);
    SafeRelease(window_depth_view_);
    SafeRelease(window_depth_buffer_);
    SafeRelease(back_buffer_view);
    SafeRelease(back_buffer);
    if (FAILED(swap_chain->ResizeBuffers(1, client_width, client_height, DXGI_FORMAT_R8G8B8A8_UNORM,
                                         0))) {
        std::fprintf(stderr, "vela: the window's buffer could not follow it to %ux%u\n",
                     client_width, client_height);
    } else {
        buffer_width_ = client_width;
        buffer_height_ = client_height;
    }
    if (!CreateWindowViews()) {
        std::fprintf(stderr, "vela: the window's buffer could not be set up again\n");
    }
    letterbox_ = Letterbox(width, height, static_cast<int32_t>(buffer_width_),
                           static_cast<int32_t>(buffer_height_));
    resized_ = true;
    return true;
}

bool PlatformD3D11::Update() {
    MSG message = {};
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return message.message != WM_QUIT;
}

float PlatformD3D11::TicksToSeconds(int64_t last, int64_t now, int64_t frequency) {
    if (frequency <= 0) {
        return 0.0f;
    }
    // The whole 64-bit difference: a pause longer than 2^32 ticks must not wrap.
    const uint64_t ticks = static_cast<uint64_t>(now - last);
    return static_cast<float>(ticks) / static_cast<float>(frequency);
}

float PlatformD3D11::GetFrameTime() {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    if (last_counter == 0) {
        QueryPerformanceCounter(&now);
        last_counter = now.QuadPart;
    }
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    const float seconds = TicksToSeconds(last_counter, now.QuadPart, frequency.QuadPart);
    last_counter = now.QuadPart;
    return seconds;
}

ID3D11RenderTargetView* PlatformD3D11::ColourView() const {
    if (render_target == nullptr) {
        return own_frame_ ? frame_view_ : back_buffer_view;
    }
    // A target that failed to build (or isn't ours) has no colour to draw into.
    const RenderTargetD3D11* target = dynamic_cast<const RenderTargetD3D11*>(render_target);
    return target != nullptr ? target->render_target_view : nullptr;
}

ID3D11DepthStencilView* PlatformD3D11::DepthView() const {
    const RenderTargetD3D11* target = dynamic_cast<const RenderTargetD3D11*>(render_target);
    if (target != nullptr && target->depth_view != nullptr) {
        return target->depth_view;
    }
    if (render_target == nullptr && !own_frame_ && window_depth_view_ != nullptr) {
        return window_depth_view_;
    }
    return depth_view;
}

void PlatformD3D11::PreRender() {
    if (context == nullptr) {
        return;
    }
    // A new frame starts here: a resized window takes effect for all of it.
    if (render_target == nullptr && RefreshWindowSize()) {
        BindRenderTargets();
    }
    const float colour[4] = {clear_colour.x, clear_colour.y, clear_colour.z, clear_colour.w};
    ID3D11RenderTargetView* view = ColourView();
    if (view != nullptr) {
        context->ClearRenderTargetView(view, colour);
    }
    if (render_target == nullptr && !own_frame_ && !letterbox_.FillsWindow()) {
        FillBars();
        BindRenderTargets();
    }
    const UINT8 stencil = static_cast<UINT8>(stencil_clear_value & 0xFF);
    context->ClearDepthStencilView(depth_view, D3D11_CLEAR_DEPTH | D3D11_CLEAR_STENCIL,
                                   depth_clear_value, stencil);
    ID3D11DepthStencilView* target_depth = DepthView();
    if (target_depth != depth_view && target_depth != nullptr) {
        context->ClearDepthStencilView(target_depth, D3D11_CLEAR_DEPTH | D3D11_CLEAR_STENCIL,
                                       depth_clear_value, stencil);
    }
}

void PlatformD3D11::Clear() {
    PreRender();
}

void PlatformD3D11::PostRender() {
    if (swap_chain != nullptr) {
        if (own_frame_ && !present_as_drawn_) {
            ComposeWindow();
        }
        present_as_drawn_ = false;
        swap_chain->Present(vsync ? 1 : 0, 0);
    }
    frame_pacer.EndFrame();
}

void PlatformD3D11::FillBars() {
    const PixelRect& p = letterbox_.Picture();
    const int32_t w = letterbox_.WindowWidth(), h = letterbox_.WindowHeight();
    const PixelRect bars[] = {{0, 0, p.x, h},
                              {p.x + p.width, 0, w - p.x - p.width, h},
                              {0, 0, w, p.y},
                              {0, p.y + p.height, w, h - p.y - p.height}};
    const float black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    for (const PixelRect& bar : bars) {
        painter_->Fill(context, back_buffer_view, bar, black);
    }
}

void PlatformD3D11::ComposeWindow() {
    if (back_buffer_view == nullptr || frame_texture_ == nullptr) {
        return;
    }
    FillBars();
    const PixelRect& picture = letterbox_.Picture();
    if (letterbox_.OneToOne()) {
        context->CopySubresourceRegion(back_buffer, 0, static_cast<UINT>(picture.x),
                                       static_cast<UINT>(picture.y), 0, frame_texture_, 0, nullptr);
    } else {
        painter_->Copy(context, frame_resource_, back_buffer_view, picture);
    }
    BindRenderTargets();
}

void PlatformD3D11::UseOwnFramebuffer() {
    if (own_frame_ || device == nullptr) {
        return;
    }
    D3D11_TEXTURE2D_DESC desc = {};
    desc.Width = static_cast<UINT>(width);
    desc.Height = static_cast<UINT>(height);
    desc.MipLevels = 1;
    desc.ArraySize = 1;
    desc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    desc.SampleDesc.Count = 1;
    desc.Usage = D3D11_USAGE_DEFAULT;
    desc.BindFlags = D3D11_BIND_RENDER_TARGET | D3D11_BIND_SHADER_RESOURCE;
    if (FAILED(device->CreateTexture2D(&desc, nullptr, &frame_texture_)) ||
        FAILED(device->CreateRenderTargetView(frame_texture_, nullptr, &frame_view_)) ||
        FAILED(device->CreateShaderResourceView(frame_texture_, nullptr, &frame_resource_))) {
        std::fprintf(stderr, "vela: no %dx%d frame texture: frames stay in the window\n", width,
                     height);
        SafeRelease(frame_resource_);
        SafeRelease(frame_view_);
        SafeRelease(frame_texture_);
        return;
    }
    own_frame_ = true;
    BindRenderTargets();
}

void PlatformD3D11::GetWindowSize(int32_t& window_width, int32_t& window_height) const {
    if (letterbox_.WindowWidth() == 0) {
        Platform::GetWindowSize(window_width, window_height);
        return;
    }
    window_width = letterbox_.WindowWidth();
    window_height = letterbox_.WindowHeight();
}

bool PlatformD3D11::TakeResized() {
    const bool resized = resized_;
    resized_ = false;
    return resized;
}

bool PlatformD3D11::GetPointer(PointerState& state) const {
    if (window == nullptr || window->hwnd == nullptr) {
        return false;
    }
    POINT screen = {};
    GetCursorPos(&screen);
    POINT client = screen;
    ScreenToClient(window->hwnd, &client);
    const Vector2 point(static_cast<float>(client.x), static_cast<float>(client.y));
    state.over_frame = WindowFromPoint(screen) == window->hwnd && letterbox_.OnPicture(point);
    if (state.over_frame) {
        state.position = letterbox_.ToFrame(point);
    }
    // The buttons as the user sees them, after any swap of left and right.
    const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    state.left = (GetAsyncKeyState(swapped ? VK_RBUTTON : VK_LBUTTON) & 0x8000) != 0;
    state.right = (GetAsyncKeyState(swapped ? VK_LBUTTON : VK_RBUTTON) & 0x8000) != 0;
    state.moves = window->PointerMoves();
    state.left_presses = window->LeftPresses();
    state.right_presses = window->RightPresses();
    return true;
}

void PlatformD3D11::SetFullScreen(bool full_screen) {
    if (window != nullptr) {
        window->SetFullScreen(full_screen);
    }
}

bool PlatformD3D11::IsFullScreen() const {
    return window != nullptr && window->IsFullScreen();
}

void PlatformD3D11::SetTargetFrameRate(double frames_per_second) {
    // Sleep's default granularity, 15.6 ms, is most of a frame: ask for 1 ms while pacing.
    const bool fine = frames_per_second > 0.0;
    if (fine != fine_timer_) {
        if (fine) {
            timeBeginPeriod(1);
        } else {
            timeEndPeriod(1);
        }
        fine_timer_ = fine;
    }
    Platform::SetTargetFrameRate(frames_per_second);
}

void PlatformD3D11::BindRenderTargets() {
    if (context == nullptr) {
        return;
    }
    ID3D11RenderTargetView* view = ColourView();
    context->OMSetRenderTargets(1, &view, DepthView());
    // The frame's projection is unchanged: in the window the viewport scales it onto the
    // picture; targets and the frame texture take it one to one.
    PixelRect area = {0, 0, width, height};
    if (render_target == nullptr && !own_frame_) {
        area = letterbox_.Picture();
    }
    D3D11_VIEWPORT viewport = {};
    viewport.TopLeftX = static_cast<float>(area.x);
    viewport.TopLeftY = static_cast<float>(area.y);
    viewport.Width = static_cast<float>(area.width);
    viewport.Height = static_cast<float>(area.height);
    viewport.MinDepth = 0.0f;
    viewport.MaxDepth = 1.0f;
    context->RSSetViewports(1, &viewport);
}

std::string PlatformD3D11::FormatFilename(const char* name) const {
    return name != nullptr ? std::string(name) : std::string();
}

SpriteRenderer* PlatformD3D11::CreateSpriteRenderer() {
    return new SpriteRendererD3D11(*this);
}

File* PlatformD3D11::CreateFile() {
    return new FileWin32();
}

TouchInputManager* PlatformD3D11::CreateTouchInputManager() {
    return new TouchInputManagerD3D11(*this);
}

Texture* PlatformD3D11::CreateTexture(const ImageData& image) {
    return new TextureD3D11(*this, image);
}

Mesh* PlatformD3D11::CreateMesh() {
    return new MeshD3D11(*this);
}

SonyControllerInputManager* PlatformD3D11::CreateSonyControllerInputManager() {
    return new SonyControllerInputManagerD3D11(*this);
}

Renderer3D* PlatformD3D11::CreateRenderer3D() {
    return new Renderer3DD3D11(*this);
}

RenderTarget* PlatformD3D11::CreateRenderTarget(int32_t target_width, int32_t target_height) {
    return new RenderTargetD3D11(*this, target_width, target_height);
}

Audio* PlatformD3D11::CreateAudio(const AudioConfig& config) {
    return new AudioOpenAL(*this, config);
}

bool PlatformD3D11::HasFocus() const {
    const HWND hwnd = window != nullptr ? window->hwnd : nullptr;
    return hwnd != nullptr && GetForegroundWindow() == hwnd && IsIconic(hwnd) == FALSE;
}

Matrix44 PlatformD3D11::PerspectiveProjectionFov(float fov, float aspect, float near_z,
                                                 float far_z) const {
    Matrix44 projection;
    projection.PerspectiveFovProjection(fov, aspect, near_z, far_z);
    return projection;
}

Matrix44 PlatformD3D11::PerspectiveProjectionFrustum(float left, float right, float top,
                                                     float bottom, float near_z,
                                                     float far_z) const {
    Matrix44 projection;
    projection.PerspectiveFrustumProjection(left, right, top, bottom, near_z, far_z);
    return projection;
}

bool PlatformD3D11::ReadFrame(ImageData& image) {
    if (context == nullptr || back_buffer == nullptr) {
        return false;
    }
    if (own_frame_) {
        return ReadTexture(frame_texture_, PixelRect{0, 0, width, height}, image);
    }
    if (!letterbox_.OneToOne()) {
        std::fprintf(stderr,
                     "vela: the frame was drawn at the window's scale, not at %dx%d; later "
                     "frames can be read back\n",
                     width, height);
        UseOwnFramebuffer();
        present_as_drawn_ = own_frame_;
        return false;
    }
    return ReadTexture(back_buffer, letterbox_.Picture(), image);
}

bool PlatformD3D11::ReadWindow(ImageData& image) {
    if (context == nullptr || back_buffer == nullptr) {
        return false;
    }
    if (own_frame_) {
        ComposeWindow();
    }
    return ReadTexture(
        back_buffer,
        PixelRect{0, 0, static_cast<int32_t>(buffer_width_), static_cast<int32_t>(buffer_height_)},
        image);
}

bool PlatformD3D11::ReadTexture(ID3D11Texture2D* source, const PixelRect& region,
                                ImageData& image) {
    D3D11_TEXTURE2D_DESC desc;
    source->GetDesc(&desc);
    if (desc.Format != DXGI_FORMAT_R8G8B8A8_UNORM || desc.SampleDesc.Count != 1 ||
        region.width <= 0 || region.height <= 0) {
        return false;
    }
    desc.Width = static_cast<UINT>(region.width);
    desc.Height = static_cast<UINT>(region.height);
    desc.Usage = D3D11_USAGE_STAGING;
    desc.BindFlags = 0;
    desc.CPUAccessFlags = D3D11_CPU_ACCESS_READ;
    desc.MiscFlags = 0;
    ID3D11Texture2D* staging = nullptr;
    if (FAILED(device->CreateTexture2D(&desc, nullptr, &staging))) {
        return false;
    }
    D3D11_BOX box = {};
    box.left = static_cast<UINT>(region.x);
    box.top = static_cast<UINT>(region.y);
    box.right = static_cast<UINT>(region.x + region.width);
    box.bottom = static_cast<UINT>(region.y + region.height);
    box.back = 1;
    context->CopySubresourceRegion(staging, 0, 0, 0, 0, source, 0, &box);

    D3D11_MAPPED_SUBRESOURCE mapped;
    bool read = false;
    if (SUCCEEDED(context->Map(staging, 0, D3D11_MAP_READ, 0, &mapped))) {
        image.Allocate(region.width, region.height);
        if (!image.Empty()) {
            const std::size_t row_bytes = static_cast<std::size_t>(desc.Width) * 4u;
            const uint8_t* rows = static_cast<const uint8_t*>(mapped.pData);
            for (UINT row = 0; row < desc.Height; ++row) {
                std::memcpy(image.pixels + row * row_bytes, rows + row * mapped.RowPitch,
                            row_bytes);
            }
            read = true;
        }
        context->Unmap(staging, 0);
    }
    SafeRelease(staging);
    return read;
}

}  // namespace vela
