#pragma once

#include <cstdint>

#include "d3d11/shader_d3d11.h"
#include "maths/vector4.h"

namespace vela {

class Default3DShaderData;
class Renderer3D;

// The lit shader: ambient plus the Lambert terms of up to four point lights, per pixel,
// times the texel. Vertices are 32 bytes: position, normal, texture coordinate.
// MatrixBuffer (vertex slot 0): wvp, world, invworld, four light positions.
// LightBuffer (pixel slot 0): ambient colour, four light colours.
class Default3DShaderD3D11 : public ShaderD3D11 {
public:
    static constexpr UINT kMatrixBufferSize = 256;
    static constexpr UINT kLightBufferSize = 80;
    static constexpr uint32_t kVertexSize = 32;
    static const char kVertexSource[];
    // The pixel side the skinned shader shares.
    static const char kPixelSource[];
    static const std::size_t kPixelSourceLength;

    // `data` is kept by pointer and read at every draw. Buffers smaller than the
    // constants they hold are refused, leaving the shader without buffers.
    Default3DShaderD3D11(ID3D11Device* device, const Default3DShaderData* data,
                         UINT matrix_buffer_size, UINT light_buffer_size);
    ~Default3DShaderD3D11() override;

    // The shaders and layout, then the sampler on pixel slot 0.
    void Set(ID3D11DeviceContext* context) override;
    // `data` is the Renderer3D that draws.
    void SetConstantBuffers(ID3D11DeviceContext* context, const void* data) override;
    // Uploads and binds both buffers; a buffer that can't be mapped keeps its old
    // contents, and the first failure is returned.
    HRESULT UploadConstants(ID3D11DeviceContext* context, const Renderer3D& renderer);

    bool IsUsable() const { return IsBuilt() && matrix_buffer != nullptr; }

    // What both 3D shaders bind: linear filtering, wrapping on all axes.
    static HRESULT CreateSampler(ID3D11Device* device, ID3D11SamplerState** sampler);
    // Maps with discard and copies `size` bytes; a failed map leaves the old contents and
    // returns its status.
    static HRESULT WriteBuffer(ID3D11DeviceContext* context, ID3D11Buffer* buffer, const void* data,
                               std::size_t size);

    ID3D11Buffer* matrix_buffer = nullptr;
    ID3D11Buffer* light_buffer = nullptr;
    ID3D11SamplerState* sampler_state = nullptr;
    const Default3DShaderData* shader_data = nullptr;
};

}  // namespace vela
