#pragma once

#include <cstdint>

#include "vela/gl/shader_3d_gl.h"

namespace vela {

class Default3DShaderData;

// The lit shader: ambient plus up to four point lights, per-pixel Lambert, modulated by
// the texture. Vertices are 32 bytes: position, normal, texture coordinate. Its blocks
// are laid out like the Direct3D constant buffers: MatrixBuffer (256 bytes: wvp, world,
// invworld, four light positions) and LightBuffer (80 bytes: ambient, four colours).
class Default3DShaderGL : public Shader3DGL {
public:
    static constexpr uint32_t kVertexConstantsSize = 256;
    static constexpr uint32_t kPixelConstantsSize = 80;

    // `data` is kept by pointer and read at every draw.
    Default3DShaderGL(const PlatformGL& platform, const Default3DShaderData* data);

    // `data` is the Renderer3D that draws.
    void SetConstantBuffers(const void* data) override;

private:
    const Default3DShaderData* data_;
};

}  // namespace vela
