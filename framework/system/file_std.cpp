#include "vela/system/file_std.h"

#include <limits>

#include "vela/system/os_file.h"

namespace vela {

FileStd::~FileStd() {
    // Callers are meant to Close; a forgotten handle is not leaked.
    Close();
}

bool FileStd::Open(const char* filename) {
    Close();
    if (filename == nullptr) {
        return false;
    }
    file_ = std::fopen(filename, "rb");
    // C stdio opens a folder on Linux, and only reading it fails: a folder is no file.
    FileKind kind;
    int error = 0;
    if (file_ != nullptr && KindOfFile(filename, kind, error) && kind == FileKind::Directory) {
        Close();
    }
    return file_ != nullptr;
}

bool FileStd::Seek(SeekFrom origin, int32_t offset) {
    if (file_ == nullptr) {
        return false;
    }
    int whence = SEEK_SET;
    if (origin == SeekCurrent) {
        whence = SEEK_CUR;
    } else if (origin == SeekEnd) {
        whence = SEEK_END;
    }
    return std::fseek(file_, offset, whence) == 0;
}

bool FileStd::Read(void* buffer, uint32_t size, uint32_t& bytes_read) {
    bytes_read = 0;
    if (file_ == nullptr || (buffer == nullptr && size > 0)) {
        return false;
    }
    if (size == 0) {
        return true;
    }
    const std::size_t count = std::fread(buffer, 1, size, file_);
    bytes_read = static_cast<uint32_t>(count);
    // A short read at the end of the file is not an error.
    return !std::ferror(file_);
}

bool FileStd::Close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    return true;
}

bool FileStd::GetSize(int32_t& size) {
    if (file_ == nullptr) {
        return false;
    }
    const long position = std::ftell(file_);
    if (position < 0 || std::fseek(file_, 0, SEEK_END) != 0) {
        return false;
    }
    const long end = std::ftell(file_);
    std::fseek(file_, position, SEEK_SET);
    // Sizes beyond the 32-bit interface are refused rather than reported cut short.
    if (end < 0 || end > std::numeric_limits<int32_t>::max()) {
        return false;
    }
    size = static_cast<int32_t>(end);
    return true;
}

}  // namespace vela
