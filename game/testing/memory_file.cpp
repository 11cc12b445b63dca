#include "memory_file.h"

#include <algorithm>
#include <cstring>

bool MemoryFile::Open(const char* filename) {
    data_ = filename ? lookup_(owner_, filename) : nullptr;
    cursor_ = 0;
    return data_ != nullptr;
}

bool MemoryFile::Seek(vela::SeekFrom origin, int32_t offset) {
    if (!data_) {
        return false;
    }
    long long base = 0;
    if (origin == vela::SeekCurrent) {
        base = static_cast<long long>(cursor_);
    } else if (origin == vela::SeekEnd) {
        base = static_cast<long long>(data_->size());
    }
    const long long target = base + offset;
    if (target < 0 || target > static_cast<long long>(data_->size())) {
        return false;
    }
    cursor_ = static_cast<size_t>(target);
    return true;
}

bool MemoryFile::Read(void* buffer, uint32_t size, uint32_t& bytes_read) {
    bytes_read = 0;
    if (!data_) {
        return false;
    }
    const size_t n = std::min<size_t>(size, data_->size() - cursor_);
    std::memcpy(buffer, data_->data() + cursor_, n);
    cursor_ += n;
    bytes_read = static_cast<uint32_t>(n);
    return true;
}

bool MemoryFile::Close() {
    const bool was_open = data_ != nullptr;
    data_ = nullptr;
    return was_open;
}

bool MemoryFile::GetSize(int32_t& size) {
    if (!data_) {
        return false;
    }
    size = static_cast<int32_t>(data_->size());
    return true;
}
