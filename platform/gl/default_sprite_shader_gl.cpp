#include "vela/gl/default_sprite_shader_gl.h"

#include <cstdio>
#include <cstring>

#include "vela/gl/gl_api.h"
#include "vela/gl/platform_gl.h"
#include "vela/graphics/sprite.h"

namespace vela {

namespace {

// Both matrices arrive as the framework's row-major floats, which GLSL takes column by
// column: so sprite_data[r][c] here is m[r][c] of the matrix the renderer built, and
// `projection * v` is the row vector v times the projection. The arithmetic is the same
// whichever way the data arrives: an ulp moved at a corner would flip edge pixels.
// Depth is clamped to 0..1 here, as Direct3D's depth clamp does: the same on every GL, with
// or without depth clamp or clip control, and exact for flat sprites.
const char kSpriteVertexSource[] = R"(
uniform mat4 projection;
layout(location = 0) in vec3 position;
layout(location = 1) in vec4 sprite_row0;
layout(location = 2) in vec4 sprite_row1;
layout(location = 3) in vec4 sprite_row2;
layout(location = 4) in vec4 sprite_row3;
flat out vec4 colour;
out vec2 uv;
void main() {
    mat4 sprite_data = mat4(sprite_row0, sprite_row1, sprite_row2, sprite_row3);
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
flat in vec4 colour;
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
    if (!IsValid()) {
        return;
    }
    projection_location_ = glGetUniformLocation(program_, "projection");
    if (projection_location_ < 0) {
        std::fprintf(stderr, "vela: shader %s has no projection\n", vs_name_);
        glDeleteProgram(program_);
        program_ = 0;
        return;
    }
    BindSampler("diffuse_texture", 0);

    glGenSamplers(1, &sampler_);
    glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_R, GL_REPEAT);
}

DefaultSpriteShaderGL::~DefaultSpriteShaderGL() {
    if (sampler_) {
        glDeleteSamplers(1, &sampler_);
    }
}

void DefaultSpriteShaderGL::Set() {
    ShaderGL::Set();
    if (sampler_) {
        glBindSampler(0, sampler_);
    }
}

void DefaultSpriteShaderGL::SetProjection(const Matrix44& projection) {
    if (!program_) {
        return;
    }
    if (projection_set_ && std::memcmp(&projection_, &projection, sizeof(Matrix44)) == 0) {
        return;
    }
    glUniformMatrix4fv(projection_location_, 1, GL_FALSE, &projection.m[0][0]);
    projection_ = projection;
    projection_set_ = true;
}

void DefaultSpriteShaderGL::SetConstantBuffers(const void* data) {
    if (!program_ || !data) {
        return;
    }
    const auto* constants = static_cast<const SpriteConstants*>(data);
    SetProjection(constants->projection);
    for (uint32_t row = 0; row < 4; ++row) {
        glVertexAttrib4fv(kSpriteDataLocation + row, constants->sprite_data.m[row]);
    }
}

}  // namespace vela
