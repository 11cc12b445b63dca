#pragma once

#include <cstdint>

#include "vela/d3d11/win32.h"
#include "vela/graphics/primitive.h"

namespace vela {

class PlatformD3D11;

// One part of a mesh: a buffer of 32-bit indices and the topology its type maps to.
class PrimitiveD3D11 : public Primitive {
public:
    explicit PrimitiveD3D11(PlatformD3D11& platform);
    ~PrimitiveD3D11() override;

    // Stores num_indices, also when creation fails. The buffer holds num_indices *
    // index_byte_size bytes of the data, always read as 32-bit indices. Null data with
    // indices to draw fails and creates nothing.
    bool InitIndexBuffer(Platform& platform, const void* indices, uint32_t num_indices,
                         uint32_t index_byte_size) override;
    // TriangleList, TriangleStrip and LineList set the topology; other values are stored
    // and keep the earlier topology.
    void SetType(PrimitiveType type) override;

    // As 32-bit unsigned indices at offset 0; binds none when there is no buffer.
    void BindIndexBuffer(ID3D11DeviceContext* context) const;

    ID3D11Buffer* index_buffer = nullptr;
    D3D11_PRIMITIVE_TOPOLOGY topology = D3D11_PRIMITIVE_TOPOLOGY_UNDEFINED;

private:
    void ReleaseBuffer();

    PlatformD3D11& platform_d3d11_;
};

}  // namespace vela
