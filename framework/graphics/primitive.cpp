#include "vela/graphics/primitive.h"

#include <cstddef>
#include <cstring>

namespace vela {

void Primitive::ScanIndices(const void* indices, uint32_t count, uint32_t index_byte_size) {
    drawable_indices_ = 0;
    max_index_ = 0;
    if (!indices) {
        return;
    }
    const uint64_t whole = static_cast<uint64_t>(count) * index_byte_size / 4;
    drawable_indices_ = static_cast<uint32_t>(whole < count ? whole : count);
    const auto* bytes = static_cast<const uint8_t*>(indices);
    for (uint32_t i = 0; i < drawable_indices_; ++i) {
        uint32_t index;
        std::memcpy(&index, bytes + static_cast<size_t>(i) * 4, 4);
        if (index > max_index_) {
            max_index_ = index;
        }
    }
}

}  // namespace vela
