#pragma once

#include <cstdint>

namespace vela {

class Platform;
class Texture;

enum class PrimitiveType : int32_t { None = -1, TriangleList = 0, TriangleStrip = 1, LineList = 2 };

// Part of a mesh drawn with its own indices, texture and kind of primitive.
class Primitive {
public:
    Primitive() = default;
    Primitive(const Primitive&) = delete;
    Primitive& operator=(const Primitive&) = delete;
    virtual ~Primitive() = default;

    // Indices are always 32-bit unsigned, whatever index_byte_size says.
    virtual bool InitIndexBuffer(Platform& platform, const void* indices, uint32_t num_indices,
                                 uint32_t index_byte_size) = 0;
    // Unknown types are stored and keep the earlier topology.
    virtual void SetType(PrimitiveType type) = 0;

    // How many whole 32-bit indices the index data held, and the largest of them, so a
    // renderer never draws past the buffer or the mesh's vertices.
    uint32_t GetDrawableIndices() const { return drawable_indices_; }
    uint32_t GetMaxIndex() const { return max_index_; }

    uint32_t num_indices = 0;    // 0 draws all of the mesh's vertices in order
    Texture* texture = nullptr;  // not owned; null draws with the renderer's default
    PrimitiveType type = PrimitiveType::None;

protected:
    // Reads `count` indices of index_byte_size bytes each as 32-bit values: only the whole
    // ones really in the data count. Null data or a zero count clears both.
    void ScanIndices(const void* indices, uint32_t count, uint32_t index_byte_size);

private:
    uint32_t drawable_indices_ = 0;
    uint32_t max_index_ = 0;
};

}  // namespace vela
