#pragma once

#include <cstdint>

#include "vela/gl/shader_3d_gl.h"

namespace vela {

class SkinnedMeshShaderData;

// The skinned shader: each vertex blends four bones from 128 matrices, then is lit like the
// lit shader. Vertices are 52 bytes: position, normal, four 8-bit bone indices in one
// 32-bit value (first in the low byte), four weights, texture coordinate. Blocks as on
// Direct3D: MatrixBuffer (128: wvp, world), LightPositionBuffer (64), BoneMatricesBuffer
// (8192) and LightBuffer (80).
//
// Bones the buffer doesn't hold are never read or written: an index of 128 or more adds
// nothing to its vertex (as an out-of-range constant read gives zeros on Direct3D), only
// the first 128 matrices of a longer list are used, and slots the list doesn't fill hold
// the identity, so a mesh drawn without bones shows its rest pose.
class SkinnedMeshShaderGL : public Shader3DGL {
public:
    static constexpr uint32_t kMatrixSize = 128;
    static constexpr uint32_t kLightPositionSize = 64;
    static constexpr uint32_t kLightColourSize = 80;
    static constexpr uint32_t kBoneCount = 128;
    static constexpr uint32_t kBoneSize = kBoneCount * 64;

    // `data` is kept by pointer and read at every draw.
    SkinnedMeshShaderGL(const PlatformGL& platform, const SkinnedMeshShaderData* data);

    // `data` is the Renderer3D that draws.
    void SetConstantBuffers(const void* data) override;

private:
    const SkinnedMeshShaderData* data_;
};

}  // namespace vela
