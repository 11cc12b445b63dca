#include "gl/default_sprite_shader_gl.h"

#include "gl/gl_api.h"
#include "gl/platform_gl.h"

namespace vela {

namespace {

// Both matrices arrive as the framework's row-major floats, which GLSL stores column by
// column: so sprite_data[r][c] here is m[r][c] of the matrix the renderer built, and
// `projection * v` is the row vector v times the projection.
// Depth is clamped to 0..1 here, as Direct3D's depth clamp does: the same on every GL, with
// or without depth clamp or clip control, and exact for flat sprites.
const char kSpriteVertexSource[] = R"(
layout(std140) uniform SpriteConstants {
    mat4 projection;
    mat4 sprite_data;
};
layout(location = 0) in vec3 position;
out vec4 colour;
out vec2 uv;
void main() {
    vec2 trans_vert = vec2(sprite_data[2][0], sprite_data[2][1]) +
        vec2(sprite_data[0][0] * position.x + sprite_data[1][0] * position.y,
             sprite_data[0][1] * position.x + sprite_data[1][1] * position.y);
    uv = (position.xy + vec2(0.5, 0.5)) * vec2(sprite_data[1][2], sprite_data[1][3]) +
         vec2(sprite_data[0][2], sprite_data[0][3]);
    gl_Position = projection * vec4(trans_vert, sprite_data[2][2], 1.0);
    gl_Position.z = clamp(gl_Position.z, 0.0, gl_Position.w);
    colour = sprite_data[3];
}
)";

const char kSpriteFragmentSource[] = R"(
uniform sampler2D diffuse_texture;
in vec4 colour;
in vec2 uv;
layout(location = 0) out vec4 frag_colour;
void main() {
    frag_colour = texture(diffuse_texture, uv) * colour;
}
)";

}  // namespace

DefaultSpriteShaderGL::DefaultSpriteShaderGL(const PlatformGL& platform)
    : ShaderGL(platform, kSpriteVertexSource, kSpriteFragmentSource, "textured_sprite_vs.glsl",
               "textured_sprite_fs.glsl") {
    if (!IsValid())
        return;
    if (!BindUniformBlock("SpriteConstants", kConstantsBinding)) {
        glDeleteProgram(program_);
        program_ = 0;
        return;
    }
    BindSampler("diffuse_texture", 0);

    GLint alignment = 256;
    glGetIntegerv(GL_UNIFORM_BUFFER_OFFSET_ALIGNMENT, &alignment);
    if (alignment < 1)
        alignment = 256;
    stride_ = (kConstantsSize + alignment - 1) / alignment * alignment;
    glGenBuffers(1, &constant_buffer_);
    glBindBuffer(GL_UNIFORM_BUFFER, constant_buffer_);
    glBufferData(GL_UNIFORM_BUFFER, kRingSize, nullptr, GL_STREAM_DRAW);
    glBindBuffer(GL_UNIFORM_BUFFER, 0);

    glGenSamplers(1, &sampler_);
    glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_R, GL_REPEAT);
}

DefaultSpriteShaderGL::~DefaultSpriteShaderGL() {
    if (sampler_)
        glDeleteSamplers(1, &sampler_);
    if (constant_buffer_)
        glDeleteBuffers(1, &constant_buffer_);
}

void DefaultSpriteShaderGL::Set() {
    ShaderGL::Set();
    if (sampler_)
        glBindSampler(0, sampler_);
}

void DefaultSpriteShaderGL::SetConstantBuffers(const void* data) {
    if (!constant_buffer_ || !data)
        return;
    glBindBuffer(GL_UNIFORM_BUFFER, constant_buffer_);
    // Each draw writes a fresh slice of a ring without waiting for the GPU; a full ring
    // is swapped for a fresh store, which is what a map with discard does.
    if (ring_offset_ + stride_ > kRingSize) {
        glBufferData(GL_UNIFORM_BUFFER, kRingSize, nullptr, GL_STREAM_DRAW);
        ring_offset_ = 0;
    }
    glBufferSubData(GL_UNIFORM_BUFFER, ring_offset_, kConstantsSize, data);
    glBindBufferRange(GL_UNIFORM_BUFFER, kConstantsBinding, constant_buffer_, ring_offset_,
                      kConstantsSize);
    ring_offset_ += stride_;
}

}  // namespace vela
