#include "vela/graphics/renderer_3d.h"

#include <cstdio>

#include "vela/graphics/shader.h"

namespace vela {

Renderer3D::Renderer3D(Platform& platform_) : platform(platform_) {
    projection_matrix.SetIdentity();
    view_matrix.SetIdentity();
    normal_matrix.SetIdentity();
    world_matrix.SetIdentity();
}

Renderer3D::~Renderer3D() {
    delete skinned_mesh_shader;
    delete default_shader;
}

void Renderer3D::SetWorldMatrix(const Matrix44& world) {
    world_matrix = world;
    Matrix44 inverse;
    inverse.SetIdentity();
    float determinant = 0.0f;
    inverse.Inverse(world, &determinant);
    // A flattening matrix has no inverse; identity keeps normals usable for lighting.
    if (determinant == 0.0f) {
        inverse.SetIdentity();
    }
    normal_matrix.Transpose(inverse);
}

namespace {

enum Warning : uint32_t {
    kWarnedVertexSize = 1u << 0,
    kWarnedIndices = 1u << 1,
};

}  // namespace

bool Renderer3D::VerticesFit(const Mesh& mesh, uint32_t shader_vertex_size) {
    if (mesh.vertex_byte_size >= shader_vertex_size) {
        return true;
    }
    if (!(warned_ & kWarnedVertexSize)) {
        std::fprintf(stderr, "vela: mesh vertices are smaller than the shader reads; not drawn\n");
    }
    warned_ |= kWarnedVertexSize;
    return false;
}

bool Renderer3D::IndicesFit(const Mesh& mesh, const Primitive& primitive) {
    if (primitive.GetMaxIndex() < mesh.num_vertices) {
        return true;
    }
    if (!(warned_ & kWarnedIndices)) {
        std::fprintf(stderr, "vela: primitive indexes past its mesh's vertices; not drawn\n");
    }
    warned_ |= kWarnedIndices;
    return false;
}

}  // namespace vela
