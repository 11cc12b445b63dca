#pragma once

#include <cstdint>
#include <string>

#include "vela/d3d11/shader_d3d11.h"

namespace vela {

class SkinnedMeshShaderData;
class Renderer3D;

// The skinned shader: each vertex blends four bones from 128 matrices, then is lit like
// the lit shader. Vertices are 52 bytes: position, normal, four 8-bit bone indices in one
// 32-bit value (first in the low byte), four weights, texture coordinate.
// MatrixBuffer (vertex 0, 128 bytes), LightPositionBuffer (vertex 1, 64),
// BoneMatricesBuffer (vertex 2, 8192), LightBuffer (pixel 0, 80).
//
// Bones the buffer doesn't hold are never read or written: an index of 128 or more adds
// nothing to its vertex, only the first 128 matrices of a longer list go up, and slots a
// shorter list (or no list) leaves hold the identity, so such a mesh shows its rest pose.
class SkinnedMeshShaderD3D11 : public ShaderD3D11 {
public:
    static constexpr UINT kMatrixBufferSize = 128;
    static constexpr UINT kLightPositionBufferSize = 64;
    static constexpr UINT kLightColourBufferSize = 80;
    static constexpr uint32_t kBoneCount = 128;
    static constexpr UINT kBoneBufferSize = kBoneCount * 64;
    static constexpr uint32_t kVertexSize = 52;
    // Made once, on first use, and kept for the program's lifetime.
    static const std::string& VertexSource();

    // `data` is kept by pointer and read at every draw.
    SkinnedMeshShaderD3D11(ID3D11Device* device, const SkinnedMeshShaderData* data);
    ~SkinnedMeshShaderD3D11() override;

    // The shaders and layout, then the sampler on pixel slot 0.
    void Set(ID3D11DeviceContext* context) override;
    // `data` is the Renderer3D that draws.
    void SetConstantBuffers(ID3D11DeviceContext* context, const void* data) override;
    // Uploads and binds the four buffers; a buffer that can't be mapped keeps its old
    // contents, and the first failure is returned.
    HRESULT UploadConstants(ID3D11DeviceContext* context, const Renderer3D& renderer);

    ID3D11Buffer* matrix_buffer = nullptr;
    ID3D11Buffer* light_position_buffer = nullptr;
    ID3D11Buffer* light_colour_buffer = nullptr;
    ID3D11Buffer* bone_buffer = nullptr;
    ID3D11SamplerState* sampler_state = nullptr;
    const SkinnedMeshShaderData* shader_data = nullptr;
};

}  // namespace vela
