#pragma once

#include "graphics/mesh.h"
#include "graphics/primitive.h"
#include "graphics/shader_data.h"
#include "maths/matrix44.h"

namespace vela {

class Platform;
class Shader;

// Draws meshes with a camera, a world matrix per mesh, an ambient colour and up to four
// point lights, into the platform's current target.
class Renderer3D {
public:
    explicit Renderer3D(Platform& platform);
    Renderer3D(const Renderer3D&) = delete;
    Renderer3D& operator=(const Renderer3D&) = delete;
    // Deletes default_shader and skinned_mesh_shader.
    virtual ~Renderer3D();

    virtual void Begin(bool clear) = 0;
    virtual void End() = 0;
    // With use_instance_transform false the previous world matrix stays.
    virtual void DrawMesh(const MeshInstance& instance, bool use_instance_transform) = 0;

    // Also sets normal_matrix to the transpose of the inverse; a matrix that can't be
    // inverted gives the identity normal matrix.
    void SetWorldMatrix(const Matrix44& world);

    Default3DShaderData& GetDefaultShaderData() { return default_shader_data; }
    SkinnedMeshShaderData& GetSkinnedMeshShaderData() { return skinned_mesh_shader_data; }

    Matrix44 projection_matrix;
    Matrix44 view_matrix;
    Matrix44 normal_matrix;
    Shader* shader = nullptr;               // current, not owned
    Shader* default_shader = nullptr;       // owned
    Shader* skinned_mesh_shader = nullptr;  // owned
    Default3DShaderData default_shader_data;
    SkinnedMeshShaderData skinned_mesh_shader_data;
    Platform& platform;
    Matrix44 world_matrix;

protected:
    // The draw-skip rules of every platform; the first break of each rule goes to standard
    // error, once per renderer. False when the mesh's vertices are smaller than the shader
    // reads (shader_vertex_size bytes)...
    bool VerticesFit(const Mesh& mesh, uint32_t shader_vertex_size);
    // ...and when the primitive indexes past its mesh's vertices.
    bool IndicesFit(const Mesh& mesh, const Primitive& primitive);

private:
    uint32_t warned_ = 0;
};

}  // namespace vela
