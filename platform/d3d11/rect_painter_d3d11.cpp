#include "vela/d3d11/rect_painter_d3d11.h"

#include "vela/d3d11/shader_d3d11.h"

namespace vela {

namespace {

// One triangle that covers the viewport, its texture coordinates 0..1 over it.
const char kShaders[] = R"(
cbuffer Paint : register(b0) { float4 colour; };
Texture2D source : register(t0);
SamplerState source_sampler : register(s0);
struct Corner { float4 position : SV_Position; float2 uv : TEXCOORD0; };
Corner VS(uint id : SV_VertexID) {
    Corner corner;
    corner.uv = float2((id << 1) & 2, id & 2);
    corner.position = float4(corner.uv * float2(2.0, -2.0) + float2(-1.0, 1.0), 0.0, 1.0);
    return corner;
}
float4 Fill(Corner corner) : SV_Target { return colour; }
float4 Copy(Corner corner) : SV_Target { return source.Sample(source_sampler, corner.uv); }
)";

}  // namespace

RectPainterD3D11::RectPainterD3D11(ID3D11Device* device) {
    if (device == nullptr) {
        return;
    }
    ID3DBlob* vs =
        ShaderD3D11::Compile(kShaders, sizeof(kShaders) - 1, "rect_painter", "VS", "vs_4_0");
    ID3DBlob* fill =
        ShaderD3D11::Compile(kShaders, sizeof(kShaders) - 1, "rect_painter", "Fill", "ps_4_0");
    ID3DBlob* copy =
        ShaderD3D11::Compile(kShaders, sizeof(kShaders) - 1, "rect_painter", "Copy", "ps_4_0");
    D3D11_BUFFER_DESC buffer = {};
    buffer.ByteWidth = 16;
    buffer.Usage = D3D11_USAGE_DEFAULT;
    buffer.BindFlags = D3D11_BIND_CONSTANT_BUFFER;
    D3D11_SAMPLER_DESC sampler = {};
    sampler.Filter = D3D11_FILTER_MIN_MAG_MIP_LINEAR;
    sampler.AddressU = sampler.AddressV = sampler.AddressW = D3D11_TEXTURE_ADDRESS_CLAMP;
    sampler.MaxLOD = D3D11_FLOAT32_MAX;
    D3D11_BLEND_DESC blend = {};
    blend.RenderTarget[0].RenderTargetWriteMask = D3D11_COLOR_WRITE_ENABLE_ALL;
    D3D11_DEPTH_STENCIL_DESC depth = {};
    D3D11_RASTERIZER_DESC rasterizer = {};
    rasterizer.FillMode = D3D11_FILL_SOLID;
    rasterizer.CullMode = D3D11_CULL_NONE;
    rasterizer.DepthClipEnable = TRUE;
    const bool built =
        vs != nullptr && fill != nullptr && copy != nullptr &&
        SUCCEEDED(device->CreateVertexShader(vs->GetBufferPointer(), vs->GetBufferSize(), nullptr,
                                             &vertex_shader_)) &&
        SUCCEEDED(device->CreatePixelShader(copy->GetBufferPointer(), copy->GetBufferSize(),
                                            nullptr, &copy_shader_)) &&
        SUCCEEDED(device->CreateBuffer(&buffer, nullptr, &colour_buffer_)) &&
        SUCCEEDED(device->CreateSamplerState(&sampler, &sampler_)) &&
        SUCCEEDED(device->CreateBlendState(&blend, &blend_)) &&
        SUCCEEDED(device->CreateDepthStencilState(&depth, &depth_)) &&
        SUCCEEDED(device->CreateRasterizerState(&rasterizer, &rasterizer_)) &&
        SUCCEEDED(device->CreatePixelShader(fill->GetBufferPointer(), fill->GetBufferSize(),
                                            nullptr, &fill_shader_));
    SafeRelease(vs);
    SafeRelease(fill);
    SafeRelease(copy);
    if (!built) {
        SafeRelease(fill_shader_);
    }
}

RectPainterD3D11::~RectPainterD3D11() {
    SafeRelease(rasterizer_);
    SafeRelease(depth_);
    SafeRelease(blend_);
    SafeRelease(sampler_);
    SafeRelease(colour_buffer_);
    SafeRelease(copy_shader_);
    SafeRelease(fill_shader_);
    SafeRelease(vertex_shader_);
}

void RectPainterD3D11::Begin(ID3D11DeviceContext* context, ID3D11RenderTargetView* view,
                             const PixelRect& rect) {
    context->OMSetRenderTargets(1, &view, nullptr);
    D3D11_VIEWPORT viewport = {};
    viewport.TopLeftX = static_cast<float>(rect.x);
    viewport.TopLeftY = static_cast<float>(rect.y);
    viewport.Width = static_cast<float>(rect.width);
    viewport.Height = static_cast<float>(rect.height);
    viewport.MaxDepth = 1.0f;
    context->RSSetViewports(1, &viewport);
    context->RSSetState(rasterizer_);
    context->OMSetBlendState(blend_, nullptr, 0xFFFFFFFFu);
    context->OMSetDepthStencilState(depth_, 0);
    context->IASetInputLayout(nullptr);
    context->IASetPrimitiveTopology(D3D11_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
    context->VSSetShader(vertex_shader_, nullptr, 0);
}

void RectPainterD3D11::Fill(ID3D11DeviceContext* context, ID3D11RenderTargetView* view,
                            const PixelRect& rect, const float colour[4]) {
    if (!IsReady() || view == nullptr || rect.width <= 0 || rect.height <= 0) {
        return;
    }
    Begin(context, view, rect);
    context->UpdateSubresource(colour_buffer_, 0, nullptr, colour, 0, 0);
    context->PSSetConstantBuffers(0, 1, &colour_buffer_);
    context->PSSetShader(fill_shader_, nullptr, 0);
    context->Draw(3, 0);
}

void RectPainterD3D11::Copy(ID3D11DeviceContext* context, ID3D11ShaderResourceView* source,
                            ID3D11RenderTargetView* view, const PixelRect& rect) {
    if (!IsReady() || source == nullptr || view == nullptr || rect.width <= 0 || rect.height <= 0) {
        return;
    }
    Begin(context, view, rect);
    context->PSSetShader(copy_shader_, nullptr, 0);
    context->PSSetShaderResources(0, 1, &source);
    context->PSSetSamplers(0, 1, &sampler_);
    context->Draw(3, 0);
    // The texture may be drawn into next: it must not stay bound for reading.
    ID3D11ShaderResourceView* none = nullptr;
    context->PSSetShaderResources(0, 1, &none);
}

}  // namespace vela
