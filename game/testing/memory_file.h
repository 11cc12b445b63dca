#pragma once

#include <string>

#include "vela/system/file.h"

// A read-only File over bytes held in memory.
class MemoryFile : public vela::File {
public:
    // `lookup` returns null for a name that does not exist.
    using Lookup = const std::string* (*)(const void* owner, const char* name);
    MemoryFile(Lookup lookup, const void* owner) : lookup_(lookup), owner_(owner) {}

    bool Open(const char* filename) override;
    bool Seek(vela::SeekFrom origin, int32_t offset) override;
    bool Read(void* buffer, uint32_t size, uint32_t& bytes_read) override;
    bool Close() override;
    bool GetSize(int32_t& size) override;

private:
    Lookup lookup_;
    const void* owner_;
    const std::string* data_ = nullptr;
    size_t cursor_ = 0;
};
