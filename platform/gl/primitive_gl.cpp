#include "vela/gl/primitive_gl.h"

#include <cstdio>

#include "vela/gl/gl_api.h"
#include "vela/gl/platform_gl.h"

namespace vela {

namespace {

constexpr uint64_t kMaxBufferBytes = 0x7FFFFFFFu;

}  // namespace

PrimitiveGL::PrimitiveGL(PlatformGL& platform) : platform_gl_(platform) {}

PrimitiveGL::~PrimitiveGL() {
    ReleaseBuffer();
}

void PrimitiveGL::ReleaseBuffer() {
    if (index_buffer_) {
        glDeleteBuffers(1, &index_buffer_);
    }
    index_buffer_ = 0;
    ScanIndices(nullptr, 0, 0);
}

bool PrimitiveGL::InitIndexBuffer(Platform&, const void* indices, uint32_t count,
                                  uint32_t index_byte_size) {
    ReleaseBuffer();
    num_indices = count;
    if (count == 0) {
        return true;
    }
    if (!indices || index_byte_size == 0) {
        return false;
    }
    const uint64_t bytes = static_cast<uint64_t>(count) * index_byte_size;
    if (bytes > kMaxBufferBytes) {
        std::fprintf(stderr, "vela: index buffer of %llu bytes is too large\n",
                     static_cast<unsigned long long>(bytes));
        return false;
    }
    if (!platform_gl_.IsReady()) {
        return false;
    }

    ScanIndices(indices, count, index_byte_size);
    for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
    }
    glGenBuffers(1, &index_buffer_);
#if VELA_GL_ES
    // WebGL fixes a buffer's kind at its first binding, and one first bound elsewhere never
    // binds as indices: fill it as the element buffer of no vertex array (vertex array 0),
    // leaving the bound one as it was.
    GLint bound_vertex_array = 0;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &bound_vertex_array);
    glBindVertexArray(0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, index_buffer_);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), indices, GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindVertexArray(static_cast<GLuint>(bound_vertex_array));
#else
    // The element binding is vertex-array state: fill the buffer through a target that
    // no vertex array remembers.
    glBindBuffer(GL_COPY_WRITE_BUFFER, index_buffer_);
    glBufferData(GL_COPY_WRITE_BUFFER, static_cast<GLsizeiptr>(bytes), indices, GL_STATIC_DRAW);
    glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
#endif
    if (glGetError() != GL_NO_ERROR) {
        std::fprintf(stderr, "vela: index buffer of %llu bytes could not be created\n",
                     static_cast<unsigned long long>(bytes));
        ReleaseBuffer();
        return false;
    }
    return true;
}

void PrimitiveGL::SetType(PrimitiveType new_type) {
    type = new_type;
    switch (new_type) {
        case PrimitiveType::TriangleList:
            mode_ = GL_TRIANGLES;
            break;
        case PrimitiveType::TriangleStrip:
            mode_ = GL_TRIANGLE_STRIP;
            break;
        case PrimitiveType::LineList:
            mode_ = GL_LINES;
            break;
        default:
            return;
    }
    has_mode_ = true;
}

void PrimitiveGL::BindIndexBuffer() const {
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, index_buffer_);
}

}  // namespace vela
