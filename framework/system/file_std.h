#pragma once

#include <cstdio>

#include "vela/system/file.h"

namespace vela {

/// A File on C stdio, for platforms without their own file layer.
class FileStd : public File {
public:
    FileStd() = default;
    ~FileStd() override;

    bool Open(const char* filename) override;
    bool Seek(SeekFrom origin, int32_t offset) override;
    bool Read(void* buffer, uint32_t size, uint32_t& bytes_read) override;
    bool Close() override;
    bool GetSize(int32_t& size) override;

private:
    std::FILE* file_ = nullptr;
};

}  // namespace vela
