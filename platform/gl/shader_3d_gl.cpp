#include "vela/gl/shader_3d_gl.h"

#include <cstdint>

#include "vela/gl/gl_api.h"
#include "vela/gl/platform_gl.h"

namespace vela {

namespace {

constexpr uint32_t kMaxAttributes = 8;

// The interpolated vectors are used as they arrive, not normalised again, so both
// graphics interfaces light a pixel alike.
const char kLitFragmentSource[] = R"(
#define NUM_LIGHTS 4
layout(std140) uniform LightBuffer {
    vec4 ambient_light_colour;
    vec4 light_colour[NUM_LIGHTS];
};
uniform sampler2D diffuse_texture;
in vec3 normal_vector;
in vec2 uv;
in vec3 light_vector[NUM_LIGHTS];
layout(location = 0) out vec4 frag_colour;
void main() {
    vec4 colour = ambient_light_colour;
    for (int k = 0; k < NUM_LIGHTS; ++k)
        colour += clamp(dot(normal_vector, light_vector[k]), 0.0, 1.0) * light_colour[k];
    frag_colour = clamp(colour, 0.0, 1.0) * texture(diffuse_texture, uv);
}
)";

}  // namespace

const char* Shader3DGL::LitFragmentSource() {
    return kLitFragmentSource;
}

Shader3DGL::Shader3DGL(const PlatformGL& platform, const char* vs_source, const char* fs_source,
                       const char* vs_name, const char* fs_name, const VertexElementGL* layout,
                       uint32_t layout_count)
    : ShaderGL(platform, vs_source, fs_source, vs_name, fs_name),
      layout_(layout, layout + layout_count) {
    for (const VertexElementGL& element : layout_) {
        const uint32_t end = element.offset + 4u * static_cast<uint32_t>(element.components);
        if (end > vertex_size_) {
            vertex_size_ = end;
        }
    }
    if (!IsValid()) {
        return;
    }
    BindSampler("diffuse_texture", 0);
    glGenSamplers(1, &sampler_);
    glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_R, GL_REPEAT);
    glSamplerParameterf(sampler_, GL_TEXTURE_MIN_LOD, 0.0f);
    glSamplerParameterf(sampler_, GL_TEXTURE_MAX_LOD, 3.402823466e+38f);
}

Shader3DGL::~Shader3DGL() {
    ReleaseBuffers();
    if (sampler_) {
        glDeleteSamplers(1, &sampler_);
    }
}

void Shader3DGL::ReleaseBuffers() {
    for (uint32_t& buffer : buffers_) {
        if (buffer) {
            glDeleteBuffers(1, &buffer);
        }
        buffer = 0;
    }
}

bool Shader3DGL::BindBlocks(const char* const* names, const uint32_t* bindings, int count) {
    for (int i = 0; i < count; ++i) {
        if (!BindUniformBlock(names[i], bindings[i])) {
            glDeleteProgram(program_);
            program_ = 0;
            return false;
        }
    }
    return true;
}

void Shader3DGL::Set() {
    ShaderGL::Set();
    if (sampler_) {
        glBindSampler(0, sampler_);
    }
}

void Shader3DGL::SetInputLayout(bool has_vertices, uint32_t stride) const {
    bool used[kMaxAttributes] = {};
    if (has_vertices) {
        for (const VertexElementGL& element : layout_) {
            const void* offset = reinterpret_cast<const void*>(uintptr_t{element.offset});
            if (element.unsigned_integer) {
                glVertexAttribIPointer(element.location, element.components, GL_UNSIGNED_INT,
                                       static_cast<GLsizei>(stride), offset);
            } else {
                glVertexAttribPointer(element.location, element.components, GL_FLOAT, GL_FALSE,
                                      static_cast<GLsizei>(stride), offset);
            }
            glEnableVertexAttribArray(element.location);
            if (element.location < kMaxAttributes) {
                used[element.location] = true;
            }
        }
    }
    for (uint32_t location = 0; location < kMaxAttributes; ++location) {
        if (!used[location]) {
            glDisableVertexAttribArray(location);
        }
    }
}

uint32_t Shader3DGL::CreateConstantBuffer(uint32_t size) {
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
    }
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_UNIFORM_BUFFER, buffer);
    glBufferData(GL_UNIFORM_BUFFER, size, nullptr, GL_STREAM_DRAW);
    glBindBuffer(GL_UNIFORM_BUFFER, 0);
    if (glGetError() != GL_NO_ERROR) {
        glDeleteBuffers(1, &buffer);
        return 0;
    }
    return buffer;
}

void Shader3DGL::Upload(uint32_t buffer, uint32_t binding, const void* data, uint32_t size) {
    glBindBuffer(GL_UNIFORM_BUFFER, buffer);
    // A fresh store each draw: what a map with discard does.
    glBufferData(GL_UNIFORM_BUFFER, size, data, GL_STREAM_DRAW);
    glBindBuffer(GL_UNIFORM_BUFFER, 0);
    glBindBufferBase(GL_UNIFORM_BUFFER, binding, buffer);
}

}  // namespace vela
