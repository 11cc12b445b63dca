#include "vela/d3d11/file_win32.h"

#include <limits>

namespace vela {

FileWin32::~FileWin32() {
    Close();
}

bool FileWin32::Open(const char* filename) {
    Close();  // a second Open must not leak the first handle
    if (filename == nullptr) {
        return false;
    }
    handle = ::CreateFileA(filename, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle != INVALID_HANDLE_VALUE;
}

bool FileWin32::Seek(SeekFrom origin, int32_t offset) {
    DWORD method = FILE_BEGIN;
    if (origin == SeekCurrent) {
        method = FILE_CURRENT;
    } else if (origin == SeekEnd) {
        method = FILE_END;
    }
    LARGE_INTEGER distance;
    distance.QuadPart = offset;  // sign-extended
    return SetFilePointerEx(handle, distance, nullptr, method) != FALSE;
}

bool FileWin32::Read(void* buffer, uint32_t size, uint32_t& bytes_read) {
    DWORD count = 0;
    if (buffer == nullptr && size > 0) {
        bytes_read = 0;
        return false;
    }
    const BOOL ok = ReadFile(handle, buffer, size, &count, nullptr);
    bytes_read = count;
    return ok != FALSE;
}

bool FileWin32::Close() {
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
    }
    return true;
}

bool FileWin32::GetSize(int32_t& size) {
    LARGE_INTEGER file_size;
    if (GetFileSizeEx(handle, &file_size) == FALSE) {
        return false;
    }
    if (file_size.QuadPart > std::numeric_limits<int32_t>::max()) {
        return false;
    }
    size = static_cast<int32_t>(file_size.QuadPart);
    return true;
}

}  // namespace vela
