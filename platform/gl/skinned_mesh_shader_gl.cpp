#include "vela/gl/skinned_mesh_shader_gl.h"

#include <vector>

#include "vela/gl/gl_api.h"
#include "vela/gl/platform_gl.h"
#include "vela/graphics/renderer_3d.h"
#include "vela/graphics/shader_data.h"

namespace vela {

namespace {

const char kSkinnedVertexSource[] = R"(
#define NUM_LIGHTS 4
#define NUM_BONE_MATRICES 128
layout(std140) uniform MatrixBuffer {
    mat4 wvp;
    mat4 world;
};
layout(std140) uniform LightPositionBuffer {
    vec4 light_position[NUM_LIGHTS];
};
layout(std140) uniform BoneMatricesBuffer {
    mat4 bone_matrices[NUM_BONE_MATRICES];
};
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in uint blend_indices;
layout(location = 3) in vec4 blend_weights;
layout(location = 4) in vec2 texcoord;
out vec3 normal_vector;
out vec2 uv;
out vec3 light_vector[NUM_LIGHTS];
vec3 SafeNormalize(vec3 v) {
    float length_squared = dot(v, v);
    return length_squared > 0.0 ? v * inversesqrt(length_squared) : vec3(0.0);
}
void main() {
    vec4 p = vec4(position, 1.0);
    vec4 n = vec4(normal, 0.0);
    vec4 skinned_position = vec4(0.0);
    vec3 skinned_normal = vec3(0.0);
    for (int k = 0; k < 4; ++k) {
        uint bone = (blend_indices >> uint(8 * k)) & 0xFFu;
        if (bone < uint(NUM_BONE_MATRICES)) {
            skinned_position += blend_weights[k] * (p * bone_matrices[bone]);
            skinned_normal += blend_weights[k] * (n * bone_matrices[bone]).xyz;
        }
    }
    gl_Position = skinned_position * wvp;
#ifdef CLAMP_DEPTH
    if (gl_Position.w > 0.0)
        gl_Position.z = clamp(gl_Position.z, CLIP_NEAR_Z * gl_Position.w, gl_Position.w);
#endif
    vec3 world_position = (skinned_position * world).xyz;
    normal_vector = SafeNormalize(skinned_normal * mat3(world));
    for (int k = 0; k < NUM_LIGHTS; ++k)
        light_vector[k] = SafeNormalize(light_position[k].xyz - world_position);
    uv = texcoord;
}
)";

const VertexElementGL kSkinnedLayout[] = {
    {0, 3, false, 0},   // POSITION
    {1, 3, false, 12},  // NORMAL
    {2, 1, true, 24},   // BLENDINDICES
    {3, 4, false, 28},  // BLENDWEIGHT
    {4, 2, false, 44},  // TEXCOORD
};

enum Buffer { kMatrix, kLightPosition, kLightColour, kBones, kBufferCount };

struct MatrixConstants {
    Matrix44 wvp;
    Matrix44 world;
};
static_assert(sizeof(MatrixConstants) == SkinnedMeshShaderGL::kMatrixSize, "MatrixBuffer");

struct LightColourConstants {
    Vector4 ambient_light_colour;
    Vector4 light_colour[4];
};
static_assert(sizeof(LightColourConstants) == SkinnedMeshShaderGL::kLightColourSize, "LightBuffer");

}  // namespace

SkinnedMeshShaderGL::SkinnedMeshShaderGL(const PlatformGL& platform,
                                         const SkinnedMeshShaderData* data)
    : Shader3DGL(platform, kSkinnedVertexSource, LitFragmentSource(), "skinning_shader_vs.glsl",
                 "skinning_shader_fs.glsl", kSkinnedLayout, 5),
      data_(data) {
    const char* const names[] = {"MatrixBuffer", "LightPositionBuffer", "BoneMatricesBuffer",
                                 "LightBuffer"};
    const uint32_t bindings[] = {kMatrixBinding, kLightPositionBinding, kBoneBinding,
                                 kLightColourBinding};
    if (!IsValid() || !BindBlocks(names, bindings, 4)) {
        return;
    }
    buffers_.assign(kBufferCount, 0);
    buffers_[kMatrix] = CreateConstantBuffer(kMatrixSize);
    buffers_[kLightPosition] = CreateConstantBuffer(kLightPositionSize);
    buffers_[kLightColour] = CreateConstantBuffer(kLightColourSize);
    buffers_[kBones] = CreateConstantBuffer(kBoneSize);
}

void SkinnedMeshShaderGL::SetConstantBuffers(const void* data) {
    const auto* renderer = static_cast<const Renderer3D*>(data);
    if (!renderer || !data_ || buffers_.size() != kBufferCount) {
        return;
    }
    MatrixConstants matrices;
    matrices.world.Transpose(renderer->world_matrix);
    matrices.wvp.Transpose(platform_gl_.FitClipY(renderer->world_matrix * renderer->view_matrix *
                                                 renderer->projection_matrix));
    Vector4 light_position[4];
    LightColourConstants colours;
    colours.ambient_light_colour = data_->ambient_light_colour;
    data_->FillLightSlots(light_position, colours.light_colour);

    // Whatever the list holds, exactly 128 matrices go up: no read past a short list and no
    // write past the buffer for a long one.
    Matrix44 bones[kBoneCount];
    const std::vector<Matrix44>* list = data_->bone_matrices;
    const size_t given = list ? list->size() : 0;
    for (size_t i = 0; i < kBoneCount; ++i) {
        if (i < given) {
            bones[i].Transpose((*list)[i]);
        } else {
            bones[i].SetIdentity();
        }
    }

    if (buffers_[kMatrix]) {
        Upload(buffers_[kMatrix], kMatrixBinding, &matrices, sizeof(matrices));
    }
    if (buffers_[kLightPosition]) {
        Upload(buffers_[kLightPosition], kLightPositionBinding, light_position,
               sizeof(light_position));
    }
    if (buffers_[kLightColour]) {
        Upload(buffers_[kLightColour], kLightColourBinding, &colours, sizeof(colours));
    }
    if (buffers_[kBones]) {
        Upload(buffers_[kBones], kBoneBinding, bones, sizeof(bones));
    }
}

}  // namespace vela
