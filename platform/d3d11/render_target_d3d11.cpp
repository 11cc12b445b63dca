#include "vela/d3d11/render_target_d3d11.h"

#include <cstdio>

#include "vela/d3d11/platform_d3d11.h"
#include "vela/d3d11/texture_d3d11.h"

namespace vela {

RenderTargetD3D11::RenderTargetD3D11(PlatformD3D11& platform, int32_t width_, int32_t height_)
    : RenderTarget(width_, height_), platform_d3d11_(platform) {
    ID3D11Device* device = platform.device;
    if (device == nullptr) {
        return;
    }
    if (width <= 0 || height <= 0 || width > TextureD3D11::kMaxSize ||
        height > TextureD3D11::kMaxSize) {
        std::fprintf(stderr, "vela: a target of %d x %d is not possible\n", width, height);
        return;
    }
    TextureD3D11* surface = new TextureD3D11();
    texture = surface;

    D3D11_TEXTURE2D_DESC desc = {};
    desc.Width = static_cast<UINT>(width);
    desc.Height = static_cast<UINT>(height);
    desc.MipLevels = 1;
    desc.ArraySize = 1;
    desc.Format = DXGI_FORMAT_R32G32B32A32_FLOAT;
    desc.SampleDesc.Count = 1;
    desc.SampleDesc.Quality = 0;
    desc.Usage = D3D11_USAGE_DEFAULT;
    desc.BindFlags = D3D11_BIND_RENDER_TARGET | D3D11_BIND_SHADER_RESOURCE;
    HRESULT result = device->CreateTexture2D(&desc, nullptr, &surface->texture);
    if (SUCCEEDED(result)) {
        D3D11_RENDER_TARGET_VIEW_DESC target_desc = {};
        target_desc.Format = desc.Format;
        target_desc.ViewDimension = D3D11_RTV_DIMENSION_TEXTURE2D;
        target_desc.Texture2D.MipSlice = 0;
        result =
            device->CreateRenderTargetView(surface->texture, &target_desc, &render_target_view);
    }
    if (SUCCEEDED(result)) {
        D3D11_SHADER_RESOURCE_VIEW_DESC view_desc = {};
        view_desc.Format = desc.Format;
        view_desc.ViewDimension = D3D11_SRV_DIMENSION_TEXTURE2D;
        view_desc.Texture2D.MostDetailedMip = 0;
        view_desc.Texture2D.MipLevels = 1;
        result = device->CreateShaderResourceView(surface->texture, &view_desc, &surface->view);
    }
    if (SUCCEEDED(result) && (width != platform.width || height != platform.height)) {
        result = CreateDepth(device);
    }
    if (FAILED(result)) {
        std::fprintf(stderr, "vela: a target of %d x %d could not be created\n", width, height);
        delete texture;
        texture = nullptr;
        SafeRelease(render_target_view);
        SafeRelease(depth_view);
        SafeRelease(depth_buffer);
    }
}

RenderTargetD3D11::~RenderTargetD3D11() {
    // The platform must not keep binding and clearing a view that is going away.
    if (platform_d3d11_.render_target == this) {
        platform_d3d11_.render_target = nullptr;
        platform_d3d11_.BindRenderTargets();
    }
    SafeRelease(depth_view);
    SafeRelease(depth_buffer);
    SafeRelease(render_target_view);
}

HRESULT RenderTargetD3D11::CreateDepth(ID3D11Device* device) {
    D3D11_TEXTURE2D_DESC desc = {};
    desc.Width = static_cast<UINT>(width);
    desc.Height = static_cast<UINT>(height);
    desc.MipLevels = 1;
    desc.ArraySize = 1;
    desc.Format = DXGI_FORMAT_D32_FLOAT;
    desc.SampleDesc.Count = 1;
    desc.SampleDesc.Quality = 0;
    desc.Usage = D3D11_USAGE_DEFAULT;
    desc.BindFlags = D3D11_BIND_DEPTH_STENCIL;
    HRESULT result = device->CreateTexture2D(&desc, nullptr, &depth_buffer);
    if (SUCCEEDED(result)) {
        D3D11_DEPTH_STENCIL_VIEW_DESC view_desc = {};
        view_desc.Format = DXGI_FORMAT_D32_FLOAT;
        view_desc.ViewDimension = D3D11_DSV_DIMENSION_TEXTURE2D;
        view_desc.Texture2D.MipSlice = 0;
        result = device->CreateDepthStencilView(depth_buffer, &view_desc, &depth_view);
    }
    return result;
}

void RenderTargetD3D11::Begin(Platform&) {}

void RenderTargetD3D11::End(Platform&) {}

}  // namespace vela
