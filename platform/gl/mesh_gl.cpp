#include "vela/gl/mesh_gl.h"

#include <cstdint>
#include <cstdio>

#include "vela/gl/gl_api.h"
#include "vela/gl/platform_gl.h"
#include "vela/gl/primitive_gl.h"

namespace vela {

namespace {

// Above this GLsizeiptr and most drivers give up; refuse early with a clear message.
constexpr uint64_t kMaxBufferBytes = 0x7FFFFFFFu;

void DrainErrors() {
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

}  // namespace

MeshGL::MeshGL(PlatformGL& platform) : platform_gl_(platform) {}

MeshGL::~MeshGL() {
    ReleaseBuffer();
}

void MeshGL::ReleaseBuffer() {
    if (vertex_buffer_) {
        glDeleteBuffers(1, &vertex_buffer_);
    }
    vertex_buffer_ = 0;
    buffer_bytes_ = 0;
}

bool MeshGL::InitVertexBuffer(Platform& platform, const void* vertices, uint32_t count,
                              uint32_t byte_size, bool read_only) {
    Mesh::InitVertexBuffer(platform, vertices, count, byte_size, read_only);
    ReleaseBuffer();
    read_only_ = read_only;
    if (!vertices || count == 0 || byte_size == 0) {
        return true;
    }
    const uint64_t bytes = static_cast<uint64_t>(count) * byte_size;
    if (bytes > kMaxBufferBytes) {
        std::fprintf(stderr, "vela: vertex buffer of %llu bytes is too large\n",
                     static_cast<unsigned long long>(bytes));
        return false;
    }
    if (!platform_gl_.IsReady()) {
        return false;
    }
    DrainErrors();
    glGenBuffers(1, &vertex_buffer_);
    glBindBuffer(GL_ARRAY_BUFFER, vertex_buffer_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), vertices,
                 read_only ? GL_STATIC_DRAW : GL_DYNAMIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (glGetError() != GL_NO_ERROR) {
        std::fprintf(stderr, "vela: vertex buffer of %llu bytes could not be created\n",
                     static_cast<unsigned long long>(bytes));
        ReleaseBuffer();
        return false;
    }
    buffer_bytes_ = bytes;
    return true;
}

bool MeshGL::UpdateVertices(Platform&, const void* vertices) {
    if (!vertex_buffer_ || read_only_ || !vertices) {
        return false;
    }
    glBindBuffer(GL_ARRAY_BUFFER, vertex_buffer_);
    // A fresh store first, so the GPU never waits for draws still reading the old one.
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(buffer_bytes_), nullptr, GL_DYNAMIC_DRAW);
    glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(buffer_bytes_), vertices);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return true;
}

Primitive* MeshGL::AllocatePrimitive() {
    return new PrimitiveGL(platform_gl_);
}

void MeshGL::BindVertexBuffer() const {
    glBindBuffer(GL_ARRAY_BUFFER, vertex_buffer_);
}

}  // namespace vela
