#include "vela/d3d11/mesh_d3d11.h"

#include <cstdio>
#include <cstring>

#include "vela/d3d11/platform_d3d11.h"
#include "vela/d3d11/primitive_d3d11.h"

namespace vela {

MeshD3D11::MeshD3D11(PlatformD3D11& platform) : platform_d3d11_(platform) {}

MeshD3D11::~MeshD3D11() {
    SafeRelease(vertex_buffer);
}

bool MeshD3D11::InitVertexBuffer(Platform& platform, const void* vertices, uint32_t count,
                                 uint32_t byte_size, bool read_only) {
    Mesh::InitVertexBuffer(platform, vertices, count, byte_size, read_only);
    SafeRelease(vertex_buffer);
    read_only_ = read_only;
    if (vertices == nullptr || count == 0 || byte_size == 0) {
        return true;
    }
    // The product can pass 32 bits; a buffer cut short would then be updated past its end.
    const uint64_t bytes = static_cast<uint64_t>(count) * byte_size;
    if (bytes > UINT32_MAX) {
        std::fprintf(stderr, "vela: vertex buffer of %llu bytes is too large\n",
                     static_cast<unsigned long long>(bytes));
        return false;
    }
    ID3D11Device* device = platform_d3d11_.device;
    if (device == nullptr) {
        return false;
    }
    D3D11_BUFFER_DESC desc = {};
    desc.ByteWidth = static_cast<UINT>(bytes);
    desc.Usage = read_only_ ? D3D11_USAGE_DEFAULT : D3D11_USAGE_DYNAMIC;
    desc.BindFlags = D3D11_BIND_VERTEX_BUFFER;
    desc.CPUAccessFlags = read_only_ ? 0 : D3D11_CPU_ACCESS_WRITE;
    D3D11_SUBRESOURCE_DATA initial = {};
    initial.pSysMem = vertices;
    if (FAILED(device->CreateBuffer(&desc, &initial, &vertex_buffer))) {
        std::fprintf(stderr, "vela: vertex buffer of %llu bytes could not be created\n",
                     static_cast<unsigned long long>(bytes));
        vertex_buffer = nullptr;
        return false;
    }
    return true;
}

bool MeshD3D11::UpdateVertices(Platform&, const void* vertices) {
    ID3D11DeviceContext* context = platform_d3d11_.context;
    if (vertex_buffer == nullptr || read_only_ || vertices == nullptr || context == nullptr) {
        return false;
    }
    D3D11_MAPPED_SUBRESOURCE mapped;
    if (FAILED(context->Map(vertex_buffer, 0, D3D11_MAP_WRITE_DISCARD, 0, &mapped))) {
        return false;
    }
    // The buffer was made from these two counts, so the product fits.
    std::memcpy(mapped.pData, vertices, static_cast<std::size_t>(num_vertices) * vertex_byte_size);
    context->Unmap(vertex_buffer, 0);
    return true;
}

Primitive* MeshD3D11::AllocatePrimitive() {
    return new PrimitiveD3D11(platform_d3d11_);
}

void MeshD3D11::BindVertexBuffer(ID3D11DeviceContext* context) const {
    const UINT stride = vertex_byte_size;
    const UINT offset = 0;
    context->IASetVertexBuffers(0, 1, &vertex_buffer, &stride, &offset);
}

}  // namespace vela
