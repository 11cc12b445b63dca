#include "vela/gl/default_3d_shader_gl.h"

#include "vela/gl/gl_api.h"
#include "vela/gl/platform_gl.h"
#include "vela/graphics/renderer_3d.h"
#include "vela/graphics/shader_data.h"

namespace vela {

namespace {

// Without depth clamp (WebGL 2) each vertex's depth is clamped instead: exact for faces
// parallel to the screen, close for the rest.
// Matrices arrive transposed, as on Direct3D, so `v * m` is the row vector v times the
// framework's matrix. A zero vector (a light exactly at the vertex, or an unused light at
// the origin) stays zero instead of turning into NaN.
const char kLitVertexSource[] = R"(
#define NUM_LIGHTS 4
layout(std140) uniform MatrixBuffer {
    mat4 wvp;
    mat4 world;
    mat4 invworld;
    vec4 light_position[NUM_LIGHTS];
};
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
layout(location = 2) in vec2 texcoord;
out vec3 normal_vector;
out vec2 uv;
out vec3 light_vector[NUM_LIGHTS];
vec3 SafeNormalize(vec3 v) {
    float length_squared = dot(v, v);
    return length_squared > 0.0 ? v * inversesqrt(length_squared) : vec3(0.0);
}
void main() {
    vec4 p = vec4(position, 1.0);
    gl_Position = p * wvp;
#ifdef CLAMP_DEPTH
    if (gl_Position.w > 0.0)
        gl_Position.z = clamp(gl_Position.z, CLIP_NEAR_Z * gl_Position.w, gl_Position.w);
#endif
    normal_vector = SafeNormalize((vec4(normal, 0.0) * invworld).xyz);
    vec3 world_position = (p * world).xyz;
    for (int k = 0; k < NUM_LIGHTS; ++k)
        light_vector[k] = SafeNormalize(light_position[k].xyz - world_position);
    uv = texcoord;
}
)";

const VertexElementGL kLitLayout[] = {
    {0, 3, false, 0},   // POSITION
    {1, 3, false, 12},  // NORMAL
    {2, 2, false, 24},  // TEXCOORD
};

struct VertexConstants {
    Matrix44 wvp;
    Matrix44 world;
    Matrix44 invworld;
    Vector4 light_position[4];
};
static_assert(sizeof(VertexConstants) == Default3DShaderGL::kVertexConstantsSize,
              "MatrixBuffer layout");

struct PixelConstants {
    Vector4 ambient_light_colour;
    Vector4 light_colour[4];
};
static_assert(sizeof(PixelConstants) == Default3DShaderGL::kPixelConstantsSize,
              "LightBuffer layout");

}  // namespace

Default3DShaderGL::Default3DShaderGL(const PlatformGL& platform, const Default3DShaderData* data)
    : Shader3DGL(platform, kLitVertexSource, LitFragmentSource(), "default_3d_shader_vs.glsl",
                 "default_3d_shader_fs.glsl", kLitLayout, 3),
      data_(data) {
    const char* const names[] = {"MatrixBuffer", "LightBuffer"};
    const uint32_t bindings[] = {kMatrixBinding, kLightColourBinding};
    if (!IsValid() || !BindBlocks(names, bindings, 2)) {
        return;
    }
    buffers_ = {CreateConstantBuffer(kVertexConstantsSize),
                CreateConstantBuffer(kPixelConstantsSize)};
    if (!buffers_[0] || !buffers_[1]) {
        ReleaseBuffers();
    }
}

void Default3DShaderGL::SetConstantBuffers(const void* data) {
    const auto* renderer = static_cast<const Renderer3D*>(data);
    if (!renderer || !data_ || buffers_.size() != 2 || !buffers_[0] || !buffers_[1]) {
        return;
    }
    VertexConstants vertex;
    vertex.wvp.Transpose(platform_gl_.FitClipY(renderer->world_matrix * renderer->view_matrix *
                                               renderer->projection_matrix));
    vertex.world.Transpose(renderer->world_matrix);
    vertex.invworld.Transpose(renderer->normal_matrix);
    PixelConstants pixel;
    pixel.ambient_light_colour = data_->ambient_light_colour;
    data_->FillLightSlots(vertex.light_position, pixel.light_colour);
    Upload(buffers_[0], kMatrixBinding, &vertex, sizeof(vertex));
    Upload(buffers_[1], kLightColourBinding, &pixel, sizeof(pixel));
}

}  // namespace vela
