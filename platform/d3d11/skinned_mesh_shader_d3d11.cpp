#include "d3d11/skinned_mesh_shader_d3d11.h"

#include <string>
#include <vector>

#include "d3d11/default_3d_shader_d3d11.h"
#include "graphics/renderer_3d.h"
#include "graphics/shader_data.h"

namespace vela {

namespace {

const D3D11_INPUT_ELEMENT_DESC kSkinnedLayout[] = {
    {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, D3D11_APPEND_ALIGNED_ELEMENT,
     D3D11_INPUT_PER_VERTEX_DATA, 0},
    {"NORMAL", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, D3D11_APPEND_ALIGNED_ELEMENT,
     D3D11_INPUT_PER_VERTEX_DATA, 0},
    {"BLENDINDICES", 0, DXGI_FORMAT_R32_UINT, 0, D3D11_APPEND_ALIGNED_ELEMENT,
     D3D11_INPUT_PER_VERTEX_DATA, 0},
    {"BLENDWEIGHT", 0, DXGI_FORMAT_R32G32B32A32_FLOAT, 0, D3D11_APPEND_ALIGNED_ELEMENT,
     D3D11_INPUT_PER_VERTEX_DATA, 0},
    {"TEXCOORD", 0, DXGI_FORMAT_R32G32_FLOAT, 0, D3D11_APPEND_ALIGNED_ELEMENT,
     D3D11_INPUT_PER_VERTEX_DATA, 0},
};

struct MatrixConstants {
    Matrix44 wvp;
    Matrix44 world;
};
static_assert(sizeof(MatrixConstants) == SkinnedMeshShaderD3D11::kMatrixBufferSize,
              "MatrixBuffer layout");

struct LightColourConstants {
    Vector4 ambient_light_colour;
    Vector4 light_colour[4];
};
static_assert(sizeof(LightColourConstants) == SkinnedMeshShaderD3D11::kLightColourBufferSize,
              "LightBuffer layout");

struct BoneConstants {
    Matrix44 bone_matrices[SkinnedMeshShaderD3D11::kBoneCount];
};
static_assert(sizeof(BoneConstants) == SkinnedMeshShaderD3D11::kBoneBufferSize,
              "BoneMatricesBuffer layout");

const char kVertexHead[] = R"(#define NUM_LIGHTS 4
#define NUM_BONE_MATRICES 128

cbuffer MatrixBuffer : register(b0)
{
    matrix wvp;
    matrix world;
};

cbuffer LightPositionBuffer : register(b1)
{
    float4 light_position[NUM_LIGHTS];
};

cbuffer BoneMatricesBuffer : register(b2)
{
    matrix bone_matrices[NUM_BONE_MATRICES];
};

struct VertexInput
{
    float3 position : POSITION;
    float3 normal : NORMAL;
    uint blend_indices : BLENDINDICES;
    float4 blend_weights : BLENDWEIGHT;
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
    float4 p = float4(input.position, 1.0);
    float4 n = float4(input.normal, 0.0);
    float4 skinned_position = float4(0.0, 0.0, 0.0, 0.0);
    float4 skinned_normal = float4(0.0, 0.0, 0.0, 0.0);
    float4x4 bone;
    uint bone_index;
)";

// The normal turns by the world's upper 3 x 3 as it is, without an inverse transpose.
const char kVertexTail[] = R"(    output.position = mul(skinned_position, wvp);
    float3 world_position = mul(skinned_position, world).xyz;
    SAFE_NORMALIZE(output.normal, mul(skinned_normal.xyz, (float3x3)world))
    SAFE_NORMALIZE(output.light_vector0, light_position[0].xyz - world_position)
    SAFE_NORMALIZE(output.light_vector1, light_position[1].xyz - world_position)
    SAFE_NORMALIZE(output.light_vector2, light_position[2].xyz - world_position)
    SAFE_NORMALIZE(output.light_vector3, light_position[3].xyz - world_position)
    output.uv = input.uv;
    return output;
}
)";

// bone = bone_matrices[bone_index] for an index in [first, first + count), as a binary
// tree of comparisons.
void AppendBonePick(std::string& text, uint32_t first, uint32_t count, int depth) {
    const std::string indent(static_cast<std::size_t>(depth) * 4u, ' ');
    if (count == 1) {
        text += indent + "bone = bone_matrices[" + std::to_string(first) + "];\n";
        return;
    }
    const uint32_t half = count / 2;
    text += indent + "if (bone_index < " + std::to_string(first + half) + ")\n";
    text += indent + "{\n";
    AppendBonePick(text, first, half, depth + 1);
    text += indent + "}\n" + indent + "else\n" + indent + "{\n";
    AppendBonePick(text, first + half, count - half, depth + 1);
    text += indent + "}\n";
}

// Wine's HLSL compiler can index constants only by a constant, so each bone matrix is
// picked by comparisons rather than bone_matrices[bone_index]. The rest of the text keeps
// to what it takes too: no loops, no functions of our own, no conditional operator.
std::string BuildVertexSource() {
    static const char* const kComponents[4] = {"x", "y", "z", "w"};
    std::string text = kVertexHead;
    for (int k = 0; k < 4; ++k) {
        const std::string weight = std::string("input.blend_weights.") + kComponents[k];
        text += "    bone_index = (input.blend_indices >> " + std::to_string(8 * k) + ") & 255;\n";
        // An index past the buffer adds nothing.
        text += "    if (bone_index < NUM_BONE_MATRICES)\n    {\n";
        AppendBonePick(text, 0, SkinnedMeshShaderD3D11::kBoneCount, 2);
        text += "        skinned_position += " + weight + " * mul(p, bone);\n";
        text += "        skinned_normal += " + weight + " * mul(n, bone);\n";
        text += "    }\n";
    }
    text += kVertexTail;
    return text;
}

}  // namespace

const std::string& SkinnedMeshShaderD3D11::VertexSource() {
    static const std::string source = BuildVertexSource();
    return source;
}

SkinnedMeshShaderD3D11::SkinnedMeshShaderD3D11(ID3D11Device* device,
                                               const SkinnedMeshShaderData* data)
    : ShaderD3D11(device, VertexSource().c_str(), VertexSource().size(),
                  Default3DShaderD3D11::kPixelSource, Default3DShaderD3D11::kPixelSourceLength,
                  "skinning_shader_vs.hlsl", "skinning_shader_shader_ps.hlsl", kSkinnedLayout, 5),
      shader_data(data) {
    if (device == nullptr) {
        return;
    }
    // A buffer that fails stays absent; only the bones' failure also skips the sampler.
    if (FAILED(CreateConstantBuffer(device, kMatrixBufferSize, &matrix_buffer))) {
        matrix_buffer = nullptr;
    }
    if (FAILED(CreateConstantBuffer(device, kLightPositionBufferSize, &light_position_buffer))) {
        light_position_buffer = nullptr;
    }
    if (FAILED(CreateConstantBuffer(device, kLightColourBufferSize, &light_colour_buffer))) {
        light_colour_buffer = nullptr;
    }
    if (FAILED(CreateConstantBuffer(device, kBoneBufferSize, &bone_buffer))) {
        bone_buffer = nullptr;
        return;
    }
    if (FAILED(Default3DShaderD3D11::CreateSampler(device, &sampler_state))) {
        sampler_state = nullptr;
    }
}

SkinnedMeshShaderD3D11::~SkinnedMeshShaderD3D11() {
    SafeRelease(matrix_buffer);
    SafeRelease(light_position_buffer);
    SafeRelease(light_colour_buffer);
    SafeRelease(bone_buffer);
    SafeRelease(sampler_state);
}

void SkinnedMeshShaderD3D11::Set(ID3D11DeviceContext* context) {
    ShaderD3D11::Set(context);
    context->PSSetSamplers(0, 1, &sampler_state);
}

void SkinnedMeshShaderD3D11::SetConstantBuffers(ID3D11DeviceContext* context, const void* data) {
    if (data != nullptr) {
        UploadConstants(context, *static_cast<const Renderer3D*>(data));
    }
}

HRESULT SkinnedMeshShaderD3D11::UploadConstants(ID3D11DeviceContext* context,
                                                const Renderer3D& renderer) {
    if (shader_data == nullptr) {
        return E_POINTER;
    }
    MatrixConstants matrices;
    matrices.world.Transpose(renderer.world_matrix);
    matrices.wvp.Transpose(renderer.world_matrix * renderer.view_matrix *
                           renderer.projection_matrix);
    Vector4 light_positions[4];
    LightColourConstants colours;
    colours.ambient_light_colour = shader_data->ambient_light_colour;
    shader_data->FillLightSlots(light_positions, colours.light_colour);

    // Exactly 128 matrices go up whatever the list holds: no read past a short list and no
    // write past the buffer for a long one.
    BoneConstants bones;
    const std::vector<Matrix44>* list = shader_data->bone_matrices;
    const std::size_t given = list != nullptr ? list->size() : 0;
    for (std::size_t i = 0; i < kBoneCount; ++i) {
        if (i < given) {
            bones.bone_matrices[i].Transpose((*list)[i]);
        } else {
            bones.bone_matrices[i].SetIdentity();
        }
    }

    // Each buffer on its own: a discarding map that went through must be filled, and one
    // that failed keeps what the previous draw left.
    const HRESULT results[4] = {
        Default3DShaderD3D11::WriteBuffer(context, matrix_buffer, &matrices, sizeof(matrices)),
        Default3DShaderD3D11::WriteBuffer(context, light_position_buffer, light_positions,
                                          sizeof(light_positions)),
        Default3DShaderD3D11::WriteBuffer(context, light_colour_buffer, &colours, sizeof(colours)),
        Default3DShaderD3D11::WriteBuffer(context, bone_buffer, &bones, sizeof(bones)),
    };
    context->VSSetConstantBuffers(0, 1, &matrix_buffer);
    context->VSSetConstantBuffers(1, 1, &light_position_buffer);
    context->VSSetConstantBuffers(2, 1, &bone_buffer);
    context->PSSetConstantBuffers(0, 1, &light_colour_buffer);
    for (HRESULT result : results) {
        if (FAILED(result)) {
            return result;
        }
    }
    return S_OK;
}

}  // namespace vela
