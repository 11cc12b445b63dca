#include "vela/d3d11/renderer_3d_d3d11.h"

#include <cstdio>

#include "vela/d3d11/default_3d_shader_d3d11.h"
#include "vela/d3d11/mesh_d3d11.h"
#include "vela/d3d11/platform_d3d11.h"
#include "vela/d3d11/primitive_d3d11.h"
#include "vela/d3d11/skinned_mesh_shader_d3d11.h"
#include "vela/graphics/texture.h"

namespace vela {

namespace {

// The bytes a vertex must hold for the shader's input layout; 0 when not known.
uint32_t VertexSizeFor(const ShaderD3D11* shader) {
    if (dynamic_cast<const Default3DShaderD3D11*>(shader) != nullptr) {
        return Default3DShaderD3D11::kVertexSize;
    }
    if (dynamic_cast<const SkinnedMeshShaderD3D11*>(shader) != nullptr) {
        return SkinnedMeshShaderD3D11::kVertexSize;
    }
    return 0;
}

}  // namespace

Renderer3DD3D11::Renderer3DD3D11(PlatformD3D11& platform_)
    : Renderer3D(platform_), platform_d3d11_(platform_) {
    PointLight light;
    light.colour = Vector4(1.0f, 1.0f, 1.0f, 1.0f);
    light.position = Vector3(0.0f, 1000.0f, 1000.0f);
    default_shader_data.AddPointLight(light);

    ID3D11Device* device = platform_d3d11_.device;
    if (device == nullptr) {
        return;
    }
    default_shader = new Default3DShaderD3D11(device, &default_shader_data,
                                              Default3DShaderD3D11::kMatrixBufferSize,
                                              Default3DShaderD3D11::kLightBufferSize);
    shader = default_shader;
    skinned_mesh_shader = new SkinnedMeshShaderD3D11(device, &skinned_mesh_shader_data);
    default_texture = CreateCheckerTexture(64, 8, platform);
    if (!CreateStates(device)) {
        std::fprintf(stderr, "vela: render states could not be created\n");
        ReleaseStates();
        delete default_texture;
        default_texture = nullptr;
    }
}

Renderer3DD3D11::~Renderer3DD3D11() {
    ReleaseStates();
    delete default_texture;
}

void Renderer3DD3D11::ReleaseStates() {
    SafeRelease(rasterizer_state);
    SafeRelease(blend_state);
    SafeRelease(depth_stencil_state);
}

bool Renderer3DD3D11::CreateStates(ID3D11Device* device) {
    D3D11_RASTERIZER_DESC rasterizer = {};
    rasterizer.FillMode = D3D11_FILL_SOLID;
    rasterizer.CullMode = D3D11_CULL_BACK;
    if (FAILED(device->CreateRasterizerState(&rasterizer, &rasterizer_state))) {
        rasterizer_state = nullptr;
        return false;
    }

    D3D11_BLEND_DESC blend = {};
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
        blend_state = nullptr;
        return false;
    }

    D3D11_DEPTH_STENCIL_DESC depth = {};
    depth.DepthEnable = TRUE;
    depth.DepthWriteMask = D3D11_DEPTH_WRITE_MASK_ALL;
    depth.DepthFunc = D3D11_COMPARISON_LESS_EQUAL;
    depth.StencilEnable = FALSE;
    // Without it drawing still works with the device's default depth test.
    if (FAILED(device->CreateDepthStencilState(&depth, &depth_stencil_state))) {
        depth_stencil_state = nullptr;
    }
    return true;
}

void Renderer3DD3D11::Begin(bool clear) {
    ID3D11DeviceContext* context = platform_d3d11_.context;
    if (context == nullptr) {
        return;
    }
    platform_d3d11_.BindRenderTargets();
    if (clear) {
        platform_d3d11_.Clear();
    }
    context->RSSetState(rasterizer_state);
    context->OMSetBlendState(blend_state, nullptr, 0xFFFFFFFFu);
    context->OMSetDepthStencilState(depth_stencil_state, 0);
}

void Renderer3DD3D11::End() {
    ID3D11DeviceContext* context = platform_d3d11_.context;
    if (context == nullptr) {
        return;
    }
    ID3D11ShaderResourceView* none = nullptr;
    context->PSSetShaderResources(0, 1, &none);
}

void Renderer3DD3D11::DrawMesh(const MeshInstance& instance, bool use_instance_transform) {
    if (instance.mesh == nullptr) {
        return;
    }
    if (use_instance_transform) {
        SetWorldMatrix(instance.transform);
    }
    ID3D11DeviceContext* context = platform_d3d11_.context;
    const MeshD3D11* mesh = dynamic_cast<const MeshD3D11*>(instance.mesh);
    ShaderD3D11* current = dynamic_cast<ShaderD3D11*>(shader);
    if (context == nullptr || mesh == nullptr || current == nullptr || !current->IsBuilt()) {
        return;
    }
    const uint32_t vertex_size = VertexSizeFor(current);
    if (mesh->vertex_buffer != nullptr && !VerticesFit(*mesh, vertex_size)) {
        return;
    }

    mesh->BindVertexBuffer(context);
    current->Set(context);
    current->SetConstantBuffers(context, this);

    for (uint32_t i = 0; i < mesh->num_primitives; ++i) {
        const PrimitiveD3D11* primitive = dynamic_cast<const PrimitiveD3D11*>(mesh->primitives[i]);
        if (primitive == nullptr) {
            continue;
        }
        const Texture* texture =
            primitive->texture != nullptr ? primitive->texture : default_texture;
        if (texture != nullptr) {
            current->SetTexture(context, texture);
        } else {
            // No checkerboard to fall back on: sample nothing rather than the last texture.
            ID3D11ShaderResourceView* none = nullptr;
            context->PSSetShaderResources(0, 1, &none);
        }
        // A primitive whose type was never set has no topology to draw with.
        if (primitive->topology == D3D11_PRIMITIVE_TOPOLOGY_UNDEFINED) {
            continue;
        }
        context->IASetPrimitiveTopology(primitive->topology);
        primitive->BindIndexBuffer(context);
        if (primitive->num_indices > 0) {
            if (primitive->index_buffer == nullptr) {
                continue;
            }
            if (!IndicesFit(*mesh, *primitive)) {
                continue;
            }
            context->DrawIndexed(primitive->GetDrawableIndices(), 0, 0);
        } else {
            context->Draw(mesh->num_vertices, 0);
        }
    }
}

}  // namespace vela
