#include "vela/d3d11/default_sprite_shader_d3d11.h"

#include <cfloat>
#include <cstring>

#include "vela/graphics/sprite.h"

namespace vela {

namespace {

const D3D11_INPUT_ELEMENT_DESC kSpriteLayout[] = {
    {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, D3D11_APPEND_ALIGNED_ELEMENT,
     D3D11_INPUT_PER_VERTEX_DATA, 0},
};

}  // namespace

// Matrices arrive transposed, so sprite_data[r][c] here is m[r][c] of the CPU matrix.
const char DefaultSpriteShaderD3D11::kVertexSource[] = R"(
cbuffer MatrixBuffer : register(b0)
{
    matrix projection;
    matrix sprite_data;
};

struct VertexInput
{
    float4 position : POSITION;
};

struct PixelInput
{
    float4 position : SV_POSITION;
    float4 colour : COLOR;
    float2 uv : TEXCOORD0;
};

PixelInput VS(VertexInput input)
{
    PixelInput output;
    float2x2 size_rotation = float2x2(sprite_data[0][0], sprite_data[1][0],
                                      sprite_data[0][1], sprite_data[1][1]);
    float2 trans_vert = float2(sprite_data[2][0], sprite_data[2][1]) +
                        mul(size_rotation, input.position.xy);
    output.uv = (input.position.xy + float2(0.5, 0.5)) *
                float2(sprite_data[1][2], sprite_data[1][3]) +
                float2(sprite_data[0][2], sprite_data[0][3]);
    output.position = mul(float4(trans_vert, sprite_data[2][2], 1.0), projection);
    output.colour = float4(sprite_data[3][0], sprite_data[3][1], sprite_data[3][2],
                           sprite_data[3][3]);
    return output;
}
)";

const char DefaultSpriteShaderD3D11::kPixelSource[] = R"(
Texture2D diffuse_texture : register(t0);
SamplerState Sampler0 : register(s0)
{
    Filter = MIN_MAG_MIP_LINEAR;
    AddressU = Wrap;
    AddressV = Wrap;
};

struct PixelInput
{
    float4 position : SV_POSITION;
    float4 colour : COLOR;
    float2 uv : TEXCOORD0;
};

float4 PS(PixelInput input) : SV_TARGET
{
    return diffuse_texture.Sample(Sampler0, input.uv) * input.colour;
}
)";

DefaultSpriteShaderD3D11::DefaultSpriteShaderD3D11(ID3D11Device* device)
    : ShaderD3D11(device, kVertexSource, sizeof(kVertexSource) - 1, kPixelSource,
                  sizeof(kPixelSource) - 1, "textured_sprite_vs.hlsl", "textured_sprite_ps.hlsl",
                  kSpriteLayout, 1) {
    if (device == nullptr) {
        return;
    }
    HRESULT result = CreateConstantBuffer(device, sizeof(SpriteConstants), &constant_buffer);
    if (SUCCEEDED(result)) {
        D3D11_SAMPLER_DESC sampler = {};
        sampler.Filter = D3D11_FILTER_MIN_MAG_MIP_LINEAR;
        sampler.AddressU = D3D11_TEXTURE_ADDRESS_WRAP;
        sampler.AddressV = D3D11_TEXTURE_ADDRESS_WRAP;
        sampler.AddressW = D3D11_TEXTURE_ADDRESS_WRAP;
        sampler.MipLODBias = 0.0f;
        sampler.MaxAnisotropy = 1;
        sampler.ComparisonFunc = D3D11_COMPARISON_ALWAYS;
        sampler.MinLOD = 0.0f;
        sampler.MaxLOD = FLT_MAX;
        result = device->CreateSamplerState(&sampler, &sampler_state);
    }
    if (FAILED(result)) {
        SafeRelease(constant_buffer);
        SafeRelease(sampler_state);
    }
}

DefaultSpriteShaderD3D11::~DefaultSpriteShaderD3D11() {
    SafeRelease(constant_buffer);
    SafeRelease(sampler_state);
}

void DefaultSpriteShaderD3D11::Set(ID3D11DeviceContext* context) {
    ShaderD3D11::Set(context);
    context->PSSetSamplers(0, 1, &sampler_state);
}

void DefaultSpriteShaderD3D11::SetConstantBuffers(ID3D11DeviceContext* context, const void* data) {
    if (constant_buffer == nullptr || data == nullptr) {
        return;
    }
    D3D11_MAPPED_SUBRESOURCE mapped;
    if (FAILED(context->Map(constant_buffer, 0, D3D11_MAP_WRITE_DISCARD, 0, &mapped))) {
        return;
    }
    const SpriteConstants* constants = static_cast<const SpriteConstants*>(data);
    Matrix44 sprite_data;
    sprite_data.Transpose(constants->sprite_data);
    Matrix44 projection;
    projection.Transpose(constants->projection);
    uint8_t* target = static_cast<uint8_t*>(mapped.pData);
    std::memcpy(target + sizeof(Matrix44), &sprite_data, sizeof(Matrix44));
    std::memcpy(target, &projection, sizeof(Matrix44));
    context->Unmap(constant_buffer, 0);
    context->VSSetConstantBuffers(0, 1, &constant_buffer);
}

}  // namespace vela
