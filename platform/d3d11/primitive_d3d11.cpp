#include "vela/d3d11/primitive_d3d11.h"

#include <cstdio>

#include "vela/d3d11/platform_d3d11.h"

namespace vela {

PrimitiveD3D11::PrimitiveD3D11(PlatformD3D11& platform) : platform_d3d11_(platform) {}

PrimitiveD3D11::~PrimitiveD3D11() {
    ReleaseBuffer();
}

void PrimitiveD3D11::ReleaseBuffer() {
    SafeRelease(index_buffer);
    ScanIndices(nullptr, 0, 0);
}

bool PrimitiveD3D11::InitIndexBuffer(Platform&, const void* indices, uint32_t count,
                                     uint32_t index_byte_size) {
    ReleaseBuffer();
    num_indices = count;
    if (count == 0) {
        return true;
    }
    if (indices == nullptr || index_byte_size == 0) {
        std::fprintf(stderr, "vela: %u indices without index data\n", count);
        return false;
    }
    const uint64_t bytes = static_cast<uint64_t>(count) * index_byte_size;
    if (bytes > UINT32_MAX) {
        std::fprintf(stderr, "vela: index buffer of %llu bytes is too large\n",
                     static_cast<unsigned long long>(bytes));
        return false;
    }
    ID3D11Device* device = platform_d3d11_.device;
    if (device == nullptr) {
        return false;
    }
    D3D11_BUFFER_DESC desc = {};
    desc.ByteWidth = static_cast<UINT>(bytes);
    desc.Usage = D3D11_USAGE_DEFAULT;
    desc.BindFlags = D3D11_BIND_INDEX_BUFFER;
    D3D11_SUBRESOURCE_DATA initial = {};
    initial.pSysMem = indices;
    if (FAILED(device->CreateBuffer(&desc, &initial, &index_buffer))) {
        std::fprintf(stderr, "vela: index buffer of %llu bytes could not be created\n",
                     static_cast<unsigned long long>(bytes));
        index_buffer = nullptr;
        return false;
    }
    ScanIndices(indices, count, index_byte_size);
    return true;
}

void PrimitiveD3D11::SetType(PrimitiveType new_type) {
    type = new_type;
    switch (new_type) {
        case PrimitiveType::TriangleList:
            topology = D3D11_PRIMITIVE_TOPOLOGY_TRIANGLELIST;
            break;
        case PrimitiveType::TriangleStrip:
            topology = D3D11_PRIMITIVE_TOPOLOGY_TRIANGLESTRIP;
            break;
        case PrimitiveType::LineList:
            topology = D3D11_PRIMITIVE_TOPOLOGY_LINELIST;
            break;
        default:
            break;
    }
}

void PrimitiveD3D11::BindIndexBuffer(ID3D11DeviceContext* context) const {
    context->IASetIndexBuffer(index_buffer, DXGI_FORMAT_R32_UINT, 0);
}

}  // namespace vela
