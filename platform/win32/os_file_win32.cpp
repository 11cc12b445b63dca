// The file calls on Windows: the C runtime's descriptors where they do the job, Win32
// where they don't (file identity, replacing an existing file).
#include "vela/system/os_file.h"

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>

namespace vela {

namespace {

bool Identity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
    // Backup semantics lets a directory be opened too; no access right is asked for.
    HANDLE handle =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool ok = GetFileInformationByHandle(handle, &info) != FALSE;
    CloseHandle(handle);
    return ok;
}

}  // namespace

bool IsSameFile(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION info_a, info_b;
    if (!Identity(a, info_a) || !Identity(b, info_b)) {
        return false;
    }
    return info_a.dwVolumeSerialNumber == info_b.dwVolumeSerialNumber &&
           info_a.nFileIndexHigh == info_b.nFileIndexHigh &&
           info_a.nFileIndexLow == info_b.nFileIndexLow;
}

bool FollowLink(const std::string& path, std::string& followed, int& /*error*/) {
    followed = path;
    return true;
}

bool KindOfFile(const std::string& path, FileKind& kind, int& error) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        error = errno;
        return false;
    }
    const auto type = info.st_mode & S_IFMT;
    kind = type == S_IFDIR   ? FileKind::Directory
           : type == S_IFREG ? FileKind::Regular
                             : FileKind::Other;
    return true;
}

// Windows has no permission bits to carry over: `like` is not needed.
std::FILE* CreateExclusive(const std::string& path, const std::string& /*like*/, int& error) {
    const int fd =
        _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    std::FILE* stream = _fdopen(fd, "wb");
    if (stream == nullptr) {
        error = errno;
        _close(fd);
        _unlink(path.c_str());
    }
    return stream;
}

bool SyncFile(std::FILE* stream, int& error) {
    if (_commit(_fileno(stream)) == 0) {
        return true;
    }
    error = errno;
    return false;
}

// std::rename does not replace an existing file on Windows.
bool RenameOver(const std::string& from, const std::string& to, int& error) {
    if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) !=
        FALSE) {
        return true;
    }
    error = EACCES;
    return false;
}

int ProcessId() {
    return _getpid();
}

const char* PathSeparators() {
    return "\\/";
}

}  // namespace vela
