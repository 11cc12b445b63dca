#pragma once

#include <cstdint>

#include "maths/matrix44.h"
#include "maths/vector3.h"

namespace vela {

class Platform;
class Primitive;

struct Aabb {
    Vector3 min_vtx;
    Vector3 max_vtx;
    uint8_t state = 0;  ///< 0: not set
};

struct Sphere {
    Vector3 centre;
    float radius = 0.0f;
};

/// A block of vertices plus the primitives that draw parts of it. The mesh owns its
/// primitives; their textures belong to whoever loaded them.
class Mesh {
public:
    Mesh() = default;
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;
    /// Deletes every primitive and the array.
    virtual ~Mesh();

    /// Stores the counts; null data or a zero count creates no buffer and succeeds.
    virtual bool InitVertexBuffer(Platform& platform, const void* vertices, uint32_t num_vertices,
                                  uint32_t vertex_byte_size, bool read_only);
    /// Only meshes made with read_only false can be updated.
    virtual bool UpdateVertices(Platform& platform, const void* vertices) = 0;
    /// A new empty primitive of the platform's kind, owned by the caller.
    virtual Primitive* AllocatePrimitive() = 0;

    /// Replaces the primitive list by `count` new primitives from AllocatePrimitive.
    void AllocatePrimitives(uint32_t count);

    uint32_t num_primitives = 0;
    Primitive** primitives = nullptr;
    uint32_t num_vertices = 0;
    uint32_t vertex_byte_size = 0;
    Aabb bounding_box;
    Sphere bounding_sphere;

protected:
    void DeletePrimitives();
};

/// A mesh with its world transform.
struct MeshInstance {
    Matrix44 transform;
    const Mesh* mesh = nullptr;  ///< not owned
};

}  // namespace vela
