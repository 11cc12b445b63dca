#include "vela/gl/renderer_3d_gl.h"

#include "vela/gl/default_3d_shader_gl.h"
#include "vela/gl/gl_api.h"
#include "vela/gl/mesh_gl.h"
#include "vela/gl/platform_gl.h"
#include "vela/gl/primitive_gl.h"
#include "vela/gl/skinned_mesh_shader_gl.h"
#include "vela/graphics/texture.h"

namespace vela {

Renderer3DGL::Renderer3DGL(PlatformGL& platform) : Renderer3D(platform), platform_gl_(platform) {
    PointLight light;
    light.colour = Vector4(1.0f, 1.0f, 1.0f, 1.0f);
    light.position = Vector3(0.0f, 1000.0f, 1000.0f);
    default_shader_data.AddPointLight(light);
    if (!platform.IsReady()) {
        return;
    }
    default_shader = new Default3DShaderGL(platform, &default_shader_data);
    shader = default_shader;
    skinned_mesh_shader = new SkinnedMeshShaderGL(platform, &skinned_mesh_shader_data);
    default_texture_ = CreateCheckerTexture(64, 8, platform);
    glGenVertexArrays(1, &vertex_array_);
}

Renderer3DGL::~Renderer3DGL() {
    delete default_texture_;
    if (vertex_array_) {
        glDeleteVertexArrays(1, &vertex_array_);
    }
}

void Renderer3DGL::Begin(bool clear) {
    if (!platform_gl_.IsReady()) {
        return;
    }
    platform_gl_.BindRenderTargets();
    if (clear) {
        platform.Clear();
    }
    platform_gl_.ApplyDrawState();
}

void Renderer3DGL::End() {
    if (!vertex_array_) {
        return;
    }
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindVertexArray(0);
}

void Renderer3DGL::DrawMesh(const MeshInstance& instance, bool use_instance_transform) {
    if (!instance.mesh) {
        return;
    }
    if (use_instance_transform) {
        SetWorldMatrix(instance.transform);
    }
    // Sprites drawn before this mesh stay before it.
    platform_gl_.FlushPendingSprites();
    platform_gl_.RealizeDepth();
    const auto* mesh = dynamic_cast<const MeshGL*>(instance.mesh);
    auto* current = dynamic_cast<Shader3DGL*>(shader);
    if (!mesh || !vertex_array_) {
        return;
    }

    glBindVertexArray(vertex_array_);
    mesh->BindVertexBuffer();
    if (current && current->IsValid()) {
        current->Set();
        current->SetConstantBuffers(this);
    }
    // The attributes read the mesh only when every vertex holds the whole layout.
    bool fetch_ok = mesh->HasVertexBuffer();
    if (fetch_ok && current && !VerticesFit(*mesh, current->GetVertexSize())) {
        fetch_ok = false;
    }
    if (current) {
        current->SetInputLayout(fetch_ok, mesh->vertex_byte_size);
    }
    if (!fetch_ok || !current || !current->IsValid()) {
        return;
    }

    for (uint32_t i = 0; i < mesh->num_primitives; ++i) {
        const auto* primitive = dynamic_cast<const PrimitiveGL*>(mesh->primitives[i]);
        if (!primitive) {
            continue;
        }
        Texture* texture = primitive->texture ? primitive->texture : default_texture_;
        current->SetTexture(texture);
        if (!primitive->HasMode()) {
            continue;
        }
        const GLenum mode = primitive->GetMode();
        primitive->BindIndexBuffer();
        if (primitive->num_indices > 0) {
            if (!primitive->HasIndexBuffer()) {
                continue;
            }
            if (!IndicesFit(*mesh, *primitive)) {
                continue;
            }
            glDrawElements(mode, static_cast<GLsizei>(primitive->GetDrawableIndices()),
                           GL_UNSIGNED_INT, nullptr);
        } else {
            glDrawArrays(mode, 0, static_cast<GLsizei>(mesh->num_vertices));
        }
    }
}

}  // namespace vela
