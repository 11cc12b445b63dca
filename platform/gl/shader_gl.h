#pragma once

#include <cstdint>

#include "graphics/shader.h"

namespace vela {

class PlatformGL;
class Texture;

// A GLSL program built from source text the program carries, after the platform's prefix
// (the version line, precision and depth defines: see GLCapabilities), so one text builds
// as `#version 330 core` and as `#version 300 es`. Compile and link errors
// go to standard error with the source's name; a shader that failed to build is not
// valid, and renderers draw nothing with it.
class ShaderGL : public Shader {
public:
    // Either source may be null, which builds no program. Sources carry no version line.
    ShaderGL(const PlatformGL& platform, const char* vs_source, const char* fs_source,
             const char* vs_name, const char* fs_name);
    ~ShaderGL() override;

    bool IsValid() const { return program_ != 0; }
    uint32_t GetProgram() const { return program_; }

    virtual void Set();
    // Uploads and binds the per-draw constants; each shader defines the layout of `data`.
    virtual void SetConstantBuffers(const void* data) = 0;
    // Null does nothing.
    virtual void SetTexture(Texture* texture);
    virtual void ClearTexture(Texture* texture);

protected:
    // Binds a uniform block to a binding point; false (with a message) if it is missing.
    bool BindUniformBlock(const char* block_name, uint32_t binding);
    // Points a sampler uniform at a texture unit.
    void BindSampler(const char* sampler_name, int32_t unit);

    const PlatformGL& platform_gl_;
    uint32_t program_ = 0;
    const char* vs_name_;
    const char* fs_name_;
};

}  // namespace vela
