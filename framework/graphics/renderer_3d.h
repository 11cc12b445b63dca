#pragma once

#include "vela/graphics/mesh.h"
#include "vela/graphics/primitive.h"
#include "vela/graphics/shader_data.h"
#include "vela/maths/matrix44.h"

namespace vela {

class Platform;
class Shader;

/// Draws meshes with a camera, a world matrix per mesh, an ambient colour and up to four
/// point lights, into the platform's current target.
class Renderer3D {
public:
    /// Keeps a reference to `platform`, which must outlive the renderer.
    explicit Renderer3D(Platform& platform);
    Renderer3D(const Renderer3D&) = delete;
    Renderer3D& operator=(const Renderer3D&) = delete;
    /// Deletes default_shader and skinned_mesh_shader.
    virtual ~Renderer3D();

    /// Binds the platform's current target; clears it when `clear` is true.
    virtual void Begin(bool clear) = 0;
    /// Ends the draws begun by Begin.
    virtual void End() = 0;
    /// With use_instance_transform false the previous world matrix stays.
    virtual void DrawMesh(const MeshInstance& instance, bool use_instance_transform) = 0;

    /// Also sets normal_matrix to the transpose of the inverse; a matrix that can't be
    /// inverted gives the identity normal matrix.
    void SetWorldMatrix(const Matrix44& world);

    /// The ambient colour and lights of the lit shader.
    Default3DShaderData& GetDefaultShaderData() { return default_shader_data; }
    /// The lights and bone matrices of the skinned shader.
    SkinnedMeshShaderData& GetSkinnedMeshShaderData() { return skinned_mesh_shader_data; }

    Matrix44 projection_matrix;  ///< camera to clip space (the platform's perspective functions
                                 ///< make one)
    Matrix44 view_matrix;        ///< world to camera space
    Matrix44 normal_matrix;      ///< transpose of the inverse world matrix, for normals
    Shader* shader = nullptr;    ///< current, not owned
    Shader* default_shader = nullptr;                ///< owned
    Shader* skinned_mesh_shader = nullptr;           ///< owned
    Default3DShaderData default_shader_data;         ///< what the default shader reads
    SkinnedMeshShaderData skinned_mesh_shader_data;  ///< what the skinned shader reads
    Platform& platform;     ///< the platform drawn with; outlives the renderer
    Matrix44 world_matrix;  ///< object to world space, set by SetWorldMatrix

protected:
    /// The draw-skip rules of every platform; the first break of each rule goes to standard
    /// error, once per renderer. False when the mesh's vertices are smaller than the shader
    /// reads (shader_vertex_size bytes).
    bool VerticesFit(const Mesh& mesh, uint32_t shader_vertex_size);
    /// False when the primitive indexes past its mesh's vertices (reported as VerticesFit).
    bool IndicesFit(const Mesh& mesh, const Primitive& primitive);

private:
    uint32_t warned_ = 0;
};

}  // namespace vela
