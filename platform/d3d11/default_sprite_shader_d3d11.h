#pragma once

#include "vela/d3d11/shader_d3d11.h"

namespace vela {

// The sprite shader: places, turns and textures the unit quad from the per-sprite
// constant block (projection, then sprite_data) and multiplies the texel by the colour.
class DefaultSpriteShaderD3D11 : public ShaderD3D11 {
public:
    static const char kVertexSource[];
    static const char kPixelSource[];

    explicit DefaultSpriteShaderD3D11(ID3D11Device* device);
    ~DefaultSpriteShaderD3D11() override;

    void Set(ID3D11DeviceContext* context) override;
    // `data` is a SpriteConstants block: two row-major matrices, 128 bytes.
    void SetConstantBuffers(ID3D11DeviceContext* context, const void* data) override;

    ID3D11Buffer* constant_buffer = nullptr;
    ID3D11SamplerState* sampler_state = nullptr;
};

}  // namespace vela
