#pragma once

#include "vela/d3d11/win32.h"
#include "vela/system/file.h"

namespace vela {

// A read-only File on a Windows file handle.
class FileWin32 : public File {
public:
    FileWin32() = default;
    // Closes a handle the user forgot to close.
    ~FileWin32() override;

    bool Open(const char* filename) override;
    bool Seek(SeekFrom origin, int32_t offset) override;
    bool Read(void* buffer, uint32_t size, uint32_t& bytes_read) override;
    bool Close() override;
    // Files of 2 GiB and more don't fit the 32-bit size: refused.
    bool GetSize(int32_t& size) override;

private:
    HANDLE handle = INVALID_HANDLE_VALUE;
};

}  // namespace vela
