#include "d3d11/default_3d_shader_d3d11.h"

#include <cfloat>
#include <cstdio>
#include <cstring>

#include "graphics/renderer_3d.h"
#include "graphics/shader_data.h"

namespace vela {

namespace {

const D3D11_INPUT_ELEMENT_DESC kLitLayout[] = {
    {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, D3D11_APPEND_ALIGNED_ELEMENT,
     D3D11_INPUT_PER_VERTEX_DATA, 0},
    {"NORMAL", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, D3D11_APPEND_ALIGNED_ELEMENT,
     D3D11_INPUT_PER_VERTEX_DATA, 0},
    {"TEXCOORD", 0, DXGI_FORMAT_R32G32_FLOAT, 0, D3D11_APPEND_ALIGNED_ELEMENT,
     D3D11_INPUT_PER_VERTEX_DATA, 0},
};

struct MatrixConstants {
    Matrix44 wvp;
    Matrix44 world;
    Matrix44 invworld;
    Vector4 light_position[4];
};
static_assert(sizeof(MatrixConstants) == Default3DShaderD3D11::kMatrixBufferSize,
              "MatrixBuffer layout");

struct LightConstants {
    Vector4 ambient_light_colour;
    Vector4 light_colour[4];
};
static_assert(sizeof(LightConstants) == Default3DShaderD3D11::kLightBufferSize,
              "LightBuffer layout");

}  // namespace

// Matrices arrive transposed, so mul(v, m) is the row vector v times the CPU matrix. The
// text keeps to what every HLSL compiler we meet takes (Wine's too): no loops, no
// functions of our own, no conditional operator, macros without nested arguments.
// SAFE_NORMALIZE keeps a zero vector (a light exactly at the vertex, or an unused light
// at the origin) zero instead of turning it into NaN.
const char Default3DShaderD3D11::kVertexSource[] = R"(#define NUM_LIGHTS 4

cbuffer MatrixBuffer : register(b0)
{
    matrix wvp;
    matrix world;
    matrix invworld;
    float4 light_position[NUM_LIGHTS];
};

struct VertexInput
{
    float4 position : POSITION;
    float3 normal : NORMAL;
    float2 uv : TEXCOORD0;
};

struct PixelInput
{
    float4 position : SV_POSITION;
    float3 normal : NORMAL;
    float2 uv : TEXCOORD0;
    float3 light_vector0 : TEXCOORD1;
    float3 light_vector1 : TEXCOORD2;
    float3 light_vector2 : TEXCOORD3;
    float3 light_vector3 : TEXCOORD4;
};

#define SAFE_NORMALIZE(result, vector) \
    { \
        float3 v = (vector); \
        result = float3(0.0, 0.0, 0.0); \
        if (dot(v, v) > 0.0) \
            result = normalize(v); \
    }

PixelInput VS(VertexInput input)
{
    PixelInput output;
    output.position = mul(input.position, wvp);
    SAFE_NORMALIZE(output.normal, mul(float4(input.normal, 0.0), invworld).xyz)
    float3 world_position = mul(input.position, world).xyz;
    SAFE_NORMALIZE(output.light_vector0, light_position[0].xyz - world_position)
    SAFE_NORMALIZE(output.light_vector1, light_position[1].xyz - world_position)
    SAFE_NORMALIZE(output.light_vector2, light_position[2].xyz - world_position)
    SAFE_NORMALIZE(output.light_vector3, light_position[3].xyz - world_position)
    output.uv = input.uv;
    return output;
}
)";

// The interpolated vectors are used as they arrive, without normalising again.
const char Default3DShaderD3D11::kPixelSource[] = R"(#define NUM_LIGHTS 4

cbuffer LightBuffer : register(b0)
{
    float4 ambient_light_colour;
    float4 light_colour[NUM_LIGHTS];
};

Texture2D diffuse_texture : register(t0);
SamplerState Sampler0 : register(s0);

struct PixelInput
{
    float4 position : SV_POSITION;
    float3 normal : NORMAL;
    float2 uv : TEXCOORD0;
    float3 light_vector0 : TEXCOORD1;
    float3 light_vector1 : TEXCOORD2;
    float3 light_vector2 : TEXCOORD3;
    float3 light_vector3 : TEXCOORD4;
};

float4 PS(PixelInput input) : SV_TARGET
{
    float4 colour = ambient_light_colour;
    colour += saturate(dot(input.normal, input.light_vector0)) * light_colour[0];
    colour += saturate(dot(input.normal, input.light_vector1)) * light_colour[1];
    colour += saturate(dot(input.normal, input.light_vector2)) * light_colour[2];
    colour += saturate(dot(input.normal, input.light_vector3)) * light_colour[3];
    return saturate(colour) * diffuse_texture.Sample(Sampler0, input.uv);
}
)";

const std::size_t Default3DShaderD3D11::kPixelSourceLength = sizeof(kPixelSource) - 1;

HRESULT Default3DShaderD3D11::WriteBuffer(ID3D11DeviceContext* context, ID3D11Buffer* buffer,
                                          const void* data, std::size_t size) {
    if (buffer == nullptr) {
        return E_POINTER;
    }
    D3D11_MAPPED_SUBRESOURCE mapped;
    const HRESULT result = context->Map(buffer, 0, D3D11_MAP_WRITE_DISCARD, 0, &mapped);
    if (FAILED(result)) {
        return result;
    }
    std::memcpy(mapped.pData, data, size);
    context->Unmap(buffer, 0);
    return S_OK;
}

Default3DShaderD3D11::Default3DShaderD3D11(ID3D11Device* device, const Default3DShaderData* data,
                                           UINT matrix_buffer_size, UINT light_buffer_size)
    : ShaderD3D11(device, kVertexSource, sizeof(kVertexSource) - 1, kPixelSource,
                  kPixelSourceLength, "default_3d_shader_vs.hlsl", "default_3d_shader_ps.hlsl",
                  kLitLayout, 3),
      shader_data(data) {
    if (device == nullptr) {
        return;
    }
    if (matrix_buffer_size < kMatrixBufferSize || light_buffer_size < kLightBufferSize) {
        std::fprintf(stderr,
                     "Default3DShaderD3D11: constant buffers of %u and %u bytes are too "
                     "small for %u and %u\n",
                     matrix_buffer_size, light_buffer_size, kMatrixBufferSize, kLightBufferSize);
        return;
    }
    const bool made = SUCCEEDED(CreateConstantBuffer(device, matrix_buffer_size, &matrix_buffer)) &&
                      SUCCEEDED(CreateConstantBuffer(device, light_buffer_size, &light_buffer)) &&
                      SUCCEEDED(CreateSampler(device, &sampler_state));
    if (!made) {
        SafeRelease(matrix_buffer);
        SafeRelease(light_buffer);
        SafeRelease(sampler_state);
    }
}

Default3DShaderD3D11::~Default3DShaderD3D11() {
    SafeRelease(matrix_buffer);
    SafeRelease(light_buffer);
    SafeRelease(sampler_state);
}

HRESULT Default3DShaderD3D11::CreateSampler(ID3D11Device* device, ID3D11SamplerState** sampler) {
    D3D11_SAMPLER_DESC desc = {};
    desc.Filter = D3D11_FILTER_MIN_MAG_MIP_LINEAR;
    desc.AddressU = D3D11_TEXTURE_ADDRESS_WRAP;
    desc.AddressV = D3D11_TEXTURE_ADDRESS_WRAP;
    desc.AddressW = D3D11_TEXTURE_ADDRESS_WRAP;
    desc.MipLODBias = 0.0f;
    desc.MaxAnisotropy = 1;
    desc.ComparisonFunc = D3D11_COMPARISON_ALWAYS;
    desc.MinLOD = 0.0f;
    desc.MaxLOD = FLT_MAX;
    return device->CreateSamplerState(&desc, sampler);
}

void Default3DShaderD3D11::Set(ID3D11DeviceContext* context) {
    ShaderD3D11::Set(context);
    context->PSSetSamplers(0, 1, &sampler_state);
}

void Default3DShaderD3D11::SetConstantBuffers(ID3D11DeviceContext* context, const void* data) {
    if (data != nullptr) {
        UploadConstants(context, *static_cast<const Renderer3D*>(data));
    }
}

HRESULT Default3DShaderD3D11::UploadConstants(ID3D11DeviceContext* context,
                                              const Renderer3D& renderer) {
    if (shader_data == nullptr || matrix_buffer == nullptr || light_buffer == nullptr) {
        return E_POINTER;
    }
    MatrixConstants matrices;
    matrices.wvp.Transpose(renderer.world_matrix * renderer.view_matrix *
                           renderer.projection_matrix);
    matrices.world.Transpose(renderer.world_matrix);
    matrices.invworld.Transpose(renderer.normal_matrix);
    LightConstants lights;
    lights.ambient_light_colour = shader_data->ambient_light_colour;
    shader_data->FillLightSlots(matrices.light_position, lights.light_colour);

    // Each buffer on its own: a discarding map that went through must be filled, and one
    // that failed keeps what the previous draw left.
    const HRESULT matrix_result = WriteBuffer(context, matrix_buffer, &matrices, sizeof(matrices));
    const HRESULT light_result = WriteBuffer(context, light_buffer, &lights, sizeof(lights));
    context->VSSetConstantBuffers(0, 1, &matrix_buffer);
    context->PSSetConstantBuffers(0, 1, &light_buffer);
    return FAILED(matrix_result) ? matrix_result : light_result;
}

}  // namespace vela
