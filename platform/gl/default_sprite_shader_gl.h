#pragma once

#include <cstdint>

#include "gl/shader_gl.h"

namespace vela {

// The sprite shader: places, turns and textures the unit quad from the 128-byte block
// (projection, then sprite_data) and multiplies the texel by the sprite's colour.
class DefaultSpriteShaderGL : public ShaderGL {
public:
    static constexpr uint32_t kConstantsBinding = 0;
    static constexpr uint32_t kConstantsSize = 128;

    explicit DefaultSpriteShaderGL(const PlatformGL& platform);
    ~DefaultSpriteShaderGL() override;

    // Also binds the linear, repeating sampler to unit 0.
    void Set() override;
    // `data` is a SpriteConstants block.
    void SetConstantBuffers(const void* data) override;

private:
    static constexpr uint32_t kRingSize = 256 * 1024;

    uint32_t constant_buffer_ = 0;
    uint32_t stride_ = 256;
    uint32_t ring_offset_ = 0;
    uint32_t sampler_ = 0;
};

}  // namespace vela
