#include "vela/system/memory_stream_buffer.h"

namespace vela {

MemoryStreamBuffer::MemoryStreamBuffer(char* data, std::size_t size) {
    setg(data, data, data + size);
    setp(data, data + size);
}

}  // namespace vela
