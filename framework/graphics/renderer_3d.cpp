#include "graphics/renderer_3d.h"

#include "graphics/shader.h"

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

}  // namespace vela
