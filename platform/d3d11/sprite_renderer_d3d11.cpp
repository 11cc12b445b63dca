#include "vela/d3d11/sprite_renderer_d3d11.h"

#include "vela/d3d11/default_sprite_shader_d3d11.h"
#include "vela/d3d11/platform_d3d11.h"
#include "vela/graphics/texture.h"

namespace vela {

SpriteRendererD3D11::SpriteRendererD3D11(PlatformD3D11& platform_)
    : SpriteRenderer(platform_), platform_d3d11_(platform_) {
    ID3D11Device* device = platform_d3d11_.device;
    if (device != nullptr) {
        default_shader = new DefaultSpriteShaderD3D11(device);
        shader = default_shader;

        D3D11_BUFFER_DESC buffer_desc = {};
        buffer_desc.ByteWidth = sizeof(kSpriteQuadVertices);
        buffer_desc.Usage = D3D11_USAGE_DEFAULT;
        buffer_desc.BindFlags = D3D11_BIND_VERTEX_BUFFER;
        D3D11_SUBRESOURCE_DATA initial = {};
        initial.pSysMem = kSpriteQuadVertices;
        device->CreateBuffer(&buffer_desc, &initial, &vertex_buffer);

        if (!CreateStates(device)) {
            SafeRelease(rasterizer_state);
            SafeRelease(blend_state);
            SafeRelease(depth_stencil_state);
            SafeRelease(vertex_buffer);
        }
        // As on every platform, an inert one makes no default texture.
        default_texture = CreateCheckerTexture(16, 1, platform);
    }
    // projection_matrix is set by the base from the platform's size.
}

SpriteRendererD3D11::~SpriteRendererD3D11() {
    SafeRelease(blend_state);
    SafeRelease(rasterizer_state);
    SafeRelease(depth_stencil_state);
    SafeRelease(vertex_buffer);
    delete default_texture;
}

bool SpriteRendererD3D11::CreateStates(ID3D11Device* device) {
    D3D11_RASTERIZER_DESC rasterizer = {};
    rasterizer.FillMode = D3D11_FILL_SOLID;
    rasterizer.CullMode = D3D11_CULL_BACK;
    rasterizer.FrontCounterClockwise = FALSE;
    rasterizer.DepthBias = 0;
    rasterizer.DepthBiasClamp = 0.0f;
    rasterizer.SlopeScaledDepthBias = 0.0f;
    rasterizer.DepthClipEnable = FALSE;
    rasterizer.ScissorEnable = FALSE;
    rasterizer.MultisampleEnable = FALSE;
    rasterizer.AntialiasedLineEnable = FALSE;
    if (FAILED(device->CreateRasterizerState(&rasterizer, &rasterizer_state))) {
        return false;
    }

    D3D11_BLEND_DESC blend = {};
    blend.AlphaToCoverageEnable = FALSE;
    blend.IndependentBlendEnable = FALSE;
    D3D11_RENDER_TARGET_BLEND_DESC& target = blend.RenderTarget[0];
    target.BlendEnable = TRUE;
    target.SrcBlend = D3D11_BLEND_SRC_ALPHA;
    target.DestBlend = D3D11_BLEND_INV_SRC_ALPHA;
    target.BlendOp = D3D11_BLEND_OP_ADD;
    target.SrcBlendAlpha = D3D11_BLEND_ONE;
    target.DestBlendAlpha = D3D11_BLEND_ZERO;
    target.BlendOpAlpha = D3D11_BLEND_OP_ADD;
    target.RenderTargetWriteMask = D3D11_COLOR_WRITE_ENABLE_ALL;
    if (FAILED(device->CreateBlendState(&blend, &blend_state))) {
        return false;
    }

    D3D11_DEPTH_STENCIL_DESC depth = {};
    depth.DepthEnable = TRUE;
    depth.DepthWriteMask = D3D11_DEPTH_WRITE_MASK_ALL;
    depth.DepthFunc = D3D11_COMPARISON_LESS_EQUAL;
    depth.StencilEnable = FALSE;
    return SUCCEEDED(device->CreateDepthStencilState(&depth, &depth_stencil_state));
}

void SpriteRendererD3D11::Begin(bool clear) {
    platform_d3d11_.BindRenderTargets();
    if (clear) {
        platform_d3d11_.Clear();
    }
}

void SpriteRendererD3D11::DrawSprite(const Sprite& sprite) {
    ID3D11DeviceContext* context = platform_d3d11_.context;
    // Checked: a shader of another platform (or none) draws nothing instead of crashing.
    ShaderD3D11* sprite_shader = dynamic_cast<ShaderD3D11*>(shader);
    // An inert renderer (no device, failed set-up, a shader that didn't build) draws
    // nothing.
    if (context == nullptr || sprite_shader == nullptr || !sprite_shader->IsBuilt() ||
        vertex_buffer == nullptr) {
        return;
    }
    const SpriteConstants constants = BuildConstants(sprite);
    sprite_shader->Set(context);
    const Texture* texture = sprite.texture != nullptr ? sprite.texture : default_texture;

    const UINT stride = 12;
    const UINT offset = 0;
    context->IASetVertexBuffers(0, 1, &vertex_buffer, &stride, &offset);
    context->RSSetState(rasterizer_state);
    context->OMSetBlendState(blend_state, nullptr, 0xFFFFFFFFu);
    context->OMSetDepthStencilState(depth_stencil_state, 0);

    sprite_shader->SetConstantBuffers(context, &constants);
    sprite_shader->SetTexture(context, texture);
    context->IASetPrimitiveTopology(D3D11_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
    context->Draw(6, 0);
    sprite_shader->ClearTexture(context, texture);
}

void SpriteRendererD3D11::End() {}

}  // namespace vela
