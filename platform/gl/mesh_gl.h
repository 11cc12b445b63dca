#pragma once

#include <cstdint>

#include "vela/graphics/mesh.h"

namespace vela {

class PlatformGL;

// A mesh whose vertices live in one GL buffer: static when read-only, dynamic otherwise.
class MeshGL : public Mesh {
public:
    explicit MeshGL(PlatformGL& platform);
    ~MeshGL() override;

    // Null data or a zero count creates no buffer and succeeds; a later call replaces the
    // buffer.
    bool InitVertexBuffer(Platform& platform, const void* vertices, uint32_t num_vertices,
                          uint32_t vertex_byte_size, bool read_only) override;
    // Replaces all num_vertices vertices; false for a read-only mesh, a mesh without a
    // buffer or null data.
    bool UpdateVertices(Platform& platform, const void* vertices) override;
    Primitive* AllocatePrimitive() override;

    // Binds the vertex buffer (or none) as GL_ARRAY_BUFFER.
    void BindVertexBuffer() const;
    bool HasVertexBuffer() const { return vertex_buffer_ != 0; }

private:
    void ReleaseBuffer();

    PlatformGL& platform_gl_;
    uint32_t vertex_buffer_ = 0;
    uint64_t buffer_bytes_ = 0;
    bool read_only_ = true;
};

}  // namespace vela
