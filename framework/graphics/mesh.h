#pragma once

#include <cstdint>

#include "vela/maths/matrix44.h"
#include "vela/maths/vector3.h"

namespace vela {

class Platform;
class Primitive;

/// Axis-aligned bounding box in the mesh's own space.
struct Aabb {
    Vector3 min_vtx;    ///< smallest x, y and z
    Vector3 max_vtx;    ///< largest x, y and z
    uint8_t state = 0;  ///< 0: not set
};

/// Bounding sphere in the mesh's own space.
struct Sphere {
    Vector3 centre;       ///< centre
    float radius = 0.0f;  ///< radius, in the mesh's units
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

    uint32_t num_primitives = 0;       ///< how many entries `primitives` has
    Primitive** primitives = nullptr;  ///< owned array of owned primitives
    uint32_t num_vertices = 0;         ///< vertices in the vertex buffer
    uint32_t vertex_byte_size = 0;     ///< bytes per vertex
    Aabb bounding_box;                 ///< set by whoever builds the mesh; not computed
    Sphere bounding_sphere;            ///< set by whoever builds the mesh; not computed

protected:
    /// Deletes every primitive and the array; the mesh then has none.
    void DeletePrimitives();
};

/// A mesh with its world transform.
struct MeshInstance {
    Matrix44 transform;          ///< world matrix (row vectors, translation in row 3)
    const Mesh* mesh = nullptr;  ///< not owned
};

}  // namespace vela
