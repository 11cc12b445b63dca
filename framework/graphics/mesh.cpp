#include "vela/graphics/mesh.h"

#include "vela/graphics/primitive.h"

namespace vela {

Mesh::~Mesh() {
    DeletePrimitives();
}

bool Mesh::InitVertexBuffer(Platform&, const void*, uint32_t new_num_vertices,
                            uint32_t new_vertex_byte_size, bool) {
    num_vertices = new_num_vertices;
    vertex_byte_size = new_vertex_byte_size;
    return true;
}

void Mesh::AllocatePrimitives(uint32_t count) {
    DeletePrimitives();
    if (count == 0) {
        return;
    }
    primitives = new Primitive*[count];
    for (uint32_t i = 0; i < count; ++i) {
        primitives[i] = AllocatePrimitive();
    }
    num_primitives = count;
}

void Mesh::DeletePrimitives() {
    if (primitives != nullptr) {
        for (uint32_t i = 0; i < num_primitives; ++i) {
            delete primitives[i];
        }
        delete[] primitives;
        primitives = nullptr;
    }
    num_primitives = 0;
}

}  // namespace vela
