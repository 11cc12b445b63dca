#pragma once

#include <cstdint>
#include <vector>

#include "gl/shader_gl.h"
#include "maths/vector4.h"

namespace vela {

// One vertex attribute: its location, float or unsigned-integer components and byte offset
// in the vertex.
struct VertexElementGL {
    uint32_t location;
    int32_t components;
    bool unsigned_integer;
    uint32_t offset;
};

// What the lit and skinned shaders share: their vertex layout, the linear repeating
// sampler on unit 0, uniform buffers filled whole per draw, and the light blocks.
// SetConstantBuffers takes the Renderer3D as its data.
class Shader3DGL : public ShaderGL {
public:
    // Uniform buffer binding points; the sprite shader keeps 0.
    static constexpr uint32_t kMatrixBinding = 1;
    static constexpr uint32_t kLightPositionBinding = 2;
    static constexpr uint32_t kBoneBinding = 3;
    static constexpr uint32_t kLightColourBinding = 4;

    Shader3DGL(const PlatformGL& platform, const char* vs_source, const char* fs_source,
               const char* vs_name, const char* fs_name, const VertexElementGL* layout,
               uint32_t layout_count);
    ~Shader3DGL() override;

    // The program, then the sampler on unit 0.
    void Set() override;
    // Points the attributes at the bound GL_ARRAY_BUFFER with this stride and turns the
    // others off; without vertices to read every attribute is off.
    void SetInputLayout(bool has_vertices, uint32_t stride) const;
    // The bytes a vertex needs for this layout.
    uint32_t GetVertexSize() const { return vertex_size_; }

    // The pixel side both shaders share: ambient plus four Lambert terms, clamped, times
    // the texel.
    static const char* LitFragmentSource();

protected:
    // A uniform buffer of `size` bytes; 0 on failure, which leaves the shader unusable.
    uint32_t CreateConstantBuffer(uint32_t size);
    // Replaces the buffer's whole contents and binds it at `binding`.
    static void Upload(uint32_t buffer, uint32_t binding, const void* data, uint32_t size);
    // Ties a named block to its binding point and drops the program when it is missing.
    bool BindBlocks(const char* const* names, const uint32_t* bindings, int count);
    void ReleaseBuffers();

    std::vector<uint32_t> buffers_;

private:
    std::vector<VertexElementGL> layout_;
    uint32_t vertex_size_ = 0;
    uint32_t sampler_ = 0;
};

}  // namespace vela
