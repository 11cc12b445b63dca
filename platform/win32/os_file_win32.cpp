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

bool IsPlainFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0;
}

bool ListFolder(const std::string& folder, std::vector<std::string>& names, int& error) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        error = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : ENOENT;
        return false;
    }
    names.clear();
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(search, &found) != FALSE);
    FindClose(search);
    return true;
}

// DeleteFileA refuses folders by itself.
bool RemoveFile(const std::string& path, int& error) {
    if (DeleteFileA(path.c_str()) != FALSE) {
        return true;
    }
    error = GetLastError() == ERROR_FILE_NOT_FOUND ? ENOENT : EACCES;
    return false;
}

int ProcessId() {
    return _getpid();
}

// No such id: OpenProcess fails with ERROR_INVALID_PARAMETER. An ended process that
// someone still holds a handle to opens, and is signalled.
bool ProcessIsGone(int id) {
    if (id <= 0) {
        return false;
    }
    HANDLE process =
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
    if (process == nullptr) {
        return GetLastError() == ERROR_INVALID_PARAMETER;
    }
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

const char* PathSeparators() {
    return "\\/";
}

}  // namespace vela
