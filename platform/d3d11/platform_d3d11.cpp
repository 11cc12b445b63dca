#include "vela/d3d11/platform_d3d11.h"

#include <cstdio>
#include <cstring>

#include "vela/d3d11/file_win32.h"
#include "vela/d3d11/mesh_d3d11.h"
#include "vela/d3d11/render_target_d3d11.h"
#include "vela/d3d11/renderer_3d_d3d11.h"
#include "vela/d3d11/sony_controller_input_manager_d3d11.h"
#include "vela/d3d11/sprite_renderer_d3d11.h"
#include "vela/d3d11/texture_d3d11.h"
#include "vela/d3d11/touch_input_manager_d3d11.h"
#include "vela/d3d11/window.h"
#include "vela/graphics/image_data.h"
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
    context->OMSetRenderTargets(1, &back_buffer_view, depth_view);
    D3D11_VIEWPORT viewport = {};
    viewport.TopLeftX = 0.0f;
    viewport.TopLeftY = 0.0f;
    viewport.Width = static_cast<float>(width);
    viewport.Height = static_cast<float>(height);
    viewport.MinDepth = 0.0f;
    viewport.MaxDepth = 1.0f;
    context->RSSetViewports(1, &viewport);
}

PlatformD3D11::~PlatformD3D11() {
    if (fine_timer_) {
        timeEndPeriod(1);
    }
    ReleaseAll();
}

void PlatformD3D11::ReleaseAll() {
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

    DXGI_SWAP_CHAIN_DESC desc = {};
    desc.BufferDesc.Width = window->width;
    desc.BufferDesc.Height = window->height;
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
    if (FAILED(swap_chain->GetBuffer(0, __uuidof(ID3D11Texture2D),
                                     reinterpret_cast<void**>(&back_buffer))) ||
        FAILED(device->CreateRenderTargetView(back_buffer, nullptr, &back_buffer_view))) {
        return false;
    }

    D3D11_TEXTURE2D_DESC depth_desc = {};
    depth_desc.Width = static_cast<UINT>(width);
    depth_desc.Height = static_cast<UINT>(height);
    depth_desc.MipLevels = 1;
    depth_desc.ArraySize = 1;
    depth_desc.Format = DXGI_FORMAT_D32_FLOAT;
    depth_desc.SampleDesc.Count = 1;
    depth_desc.SampleDesc.Quality = 0;
    depth_desc.Usage = D3D11_USAGE_DEFAULT;
    depth_desc.BindFlags = D3D11_BIND_DEPTH_STENCIL;
    if (FAILED(device->CreateTexture2D(&depth_desc, nullptr, &depth_buffer))) {
        return false;
    }

    D3D11_DEPTH_STENCIL_VIEW_DESC view_desc = {};
    view_desc.Format = DXGI_FORMAT_D32_FLOAT;
    view_desc.ViewDimension = D3D11_DSV_DIMENSION_TEXTURE2D;
    view_desc.Texture2D.MipSlice = 0;
    return SUCCEEDED(device->CreateDepthStencilView(depth_buffer, &view_desc, &depth_view));
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
        return back_buffer_view;
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
    return depth_view;
}

void PlatformD3D11::PreRender() {
    if (context == nullptr) {
        return;
    }
    const float colour[4] = {clear_colour.x, clear_colour.y, clear_colour.z, clear_colour.w};
    ID3D11RenderTargetView* view = ColourView();
    if (view != nullptr) {
        context->ClearRenderTargetView(view, colour);
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
        swap_chain->Present(vsync ? 1 : 0, 0);
    }
    frame_pacer.EndFrame();
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
    D3D11_TEXTURE2D_DESC desc;
    back_buffer->GetDesc(&desc);
    if (desc.Format != DXGI_FORMAT_R8G8B8A8_UNORM || desc.SampleDesc.Count != 1) {
        return false;
    }
    desc.Usage = D3D11_USAGE_STAGING;
    desc.BindFlags = 0;
    desc.CPUAccessFlags = D3D11_CPU_ACCESS_READ;
    desc.MiscFlags = 0;
    ID3D11Texture2D* staging = nullptr;
    if (FAILED(device->CreateTexture2D(&desc, nullptr, &staging))) {
        return false;
    }
    context->CopyResource(staging, back_buffer);

    D3D11_MAPPED_SUBRESOURCE mapped;
    bool read = false;
    if (SUCCEEDED(context->Map(staging, 0, D3D11_MAP_READ, 0, &mapped))) {
        image.Allocate(static_cast<int32_t>(desc.Width), static_cast<int32_t>(desc.Height));
        if (!image.Empty()) {
            const std::size_t row_bytes = static_cast<std::size_t>(desc.Width) * 4u;
            const uint8_t* source = static_cast<const uint8_t*>(mapped.pData);
            for (UINT row = 0; row < desc.Height; ++row) {
                std::memcpy(image.pixels + row * row_bytes, source + row * mapped.RowPitch,
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
