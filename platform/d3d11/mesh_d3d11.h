#pragma once

#include <cstdint>

#include "vela/d3d11/win32.h"
#include "vela/graphics/mesh.h"

namespace vela {

class PlatformD3D11;

// A mesh whose vertices live in one Direct3D 11 vertex buffer: default usage when
// read-only, dynamic and CPU-writable otherwise.
class MeshD3D11 : public Mesh {
public:
    explicit MeshD3D11(PlatformD3D11& platform);
    ~MeshD3D11() override;

    // Null data or a zero count creates no buffer and succeeds; a later call replaces the
    // buffer.
    bool InitVertexBuffer(Platform& platform, const void* vertices, uint32_t num_vertices,
                          uint32_t vertex_byte_size, bool read_only) override;
    // Replaces all vertices; false (nothing copied) for a read-only mesh, a mesh without a
    // buffer, null data or a failed map.
    bool UpdateVertices(Platform& platform, const void* vertices) override;
    Primitive* AllocatePrimitive() override;

    // Input slot 0, stride vertex_byte_size, offset 0; binds none when there is no buffer.
    void BindVertexBuffer(ID3D11DeviceContext* context) const;

    ID3D11Buffer* vertex_buffer = nullptr;

private:
    PlatformD3D11& platform_d3d11_;
    bool read_only_ = true;
};

}  // namespace vela
