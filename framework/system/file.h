#pragma once

#include <cstdint>

namespace vela {

enum SeekFrom : int32_t { SeekStart = 0, SeekCurrent = 1, SeekEnd = 2 };

// Read-only file made by the platform's CreateFile. Every operation reports failure as
// false and leaves the object usable for Close; the destructor does not close.
class File {
public:
    File() = default;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    virtual ~File() = default;

    virtual bool Open(const char* filename) = 0;
    virtual bool Seek(SeekFrom origin, int32_t offset) = 0;
    // bytes_read is always written; a read at the end succeeds with 0 bytes.
    virtual bool Read(void* buffer, uint32_t size, uint32_t& bytes_read) = 0;
    virtual bool Close() = 0;
    // On failure size is not written.
    virtual bool GetSize(int32_t& size) = 0;
};

// Closes, then deletes: for std::unique_ptr<File, FileCloser> over CreateFile's result.
struct FileCloser {
    void operator()(File* file) const {
        file->Close();
        delete file;
    }
};

}  // namespace vela
