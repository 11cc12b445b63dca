#pragma once

#include <cstdint>

#include "graphics/primitive.h"

namespace vela {

class PlatformGL;

// One part of a mesh: a GL buffer of 32-bit indices and the GL mode its type maps to.
class PrimitiveGL : public Primitive {
public:
    explicit PrimitiveGL(PlatformGL& platform);
    ~PrimitiveGL() override;

    // Stores num_indices; the buffer holds num_indices * index_byte_size bytes of the data,
    // read as 32-bit indices. Null data or a zero size creates nothing (true only when
    // there are no indices to draw).
    bool InitIndexBuffer(Platform& platform, const void* indices, uint32_t num_indices,
                         uint32_t index_byte_size) override;
    // TriangleList, TriangleStrip and LineList set the mode; other values are stored and
    // keep the earlier mode.
    void SetType(PrimitiveType type) override;

    // False until a known type has been set: such a primitive draws nothing.
    bool HasMode() const { return has_mode_; }
    uint32_t GetMode() const { return mode_; }
    // Binds the index buffer (or none) as GL_ELEMENT_ARRAY_BUFFER.
    void BindIndexBuffer() const;
    bool HasIndexBuffer() const { return index_buffer_ != 0; }

private:
    void ReleaseBuffer();

    PlatformGL& platform_gl_;
    uint32_t index_buffer_ = 0;
    uint32_t mode_ = 0;
    bool has_mode_ = false;
};

}  // namespace vela
