// The file calls on POSIX: Linux, and the browser's file system under Emscripten.
#include "vela/system/os_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace vela {

bool IsSameFile(const std::string& a, const std::string& b) {
    struct stat info_a, info_b;
    if (stat(a.c_str(), &info_a) != 0 || stat(b.c_str(), &info_b) != 0) {
        return false;
    }
    return info_a.st_dev == info_b.st_dev && info_a.st_ino == info_b.st_ino;
}

bool FollowLink(const std::string& path, std::string& followed, int& error) {
    struct stat link;
    if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
        followed = path;
        return true;
    }
    char real[PATH_MAX];
    if (realpath(path.c_str(), real) == nullptr) {
        error = errno;
        return false;
    }
    followed = real;
    return true;
}

bool KindOfFile(const std::string& path, FileKind& kind, int& error) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) {
        error = errno;
        return false;
    }
    kind = S_ISDIR(info.st_mode)   ? FileKind::Directory
           : S_ISREG(info.st_mode) ? FileKind::Regular
                                   : FileKind::Other;
    return true;
}

std::FILE* CreateExclusive(const std::string& path, const std::string& like, int& error) {
    struct stat existing;
    const bool copy_mode = stat(like.c_str(), &existing) == 0;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    if (copy_mode) {
        fchmod(fd, existing.st_mode & 07777);
    }
    std::FILE* stream = fdopen(fd, "wb");
    if (stream == nullptr) {
        error = errno;
        close(fd);
        unlink(path.c_str());
    }
    return stream;
}

bool SyncFile(std::FILE* stream, int& error) {
    if (fsync(fileno(stream)) == 0) {
        return true;
    }
    error = errno;
    return false;
}

bool RenameOver(const std::string& from, const std::string& to, int& error) {
    if (std::rename(from.c_str(), to.c_str()) == 0) {
        return true;
    }
    error = errno;
    return false;
}

bool IsPlainFile(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool ListFolder(const std::string& folder, std::vector<std::string>& names, int& error) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        error = errno;
        return false;
    }
    names.clear();
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    closedir(dir);
    return true;
}

bool RemoveFile(const std::string& path, int& error) {
    if (unlink(path.c_str()) == 0) {
        return true;
    }
    error = errno;
    return false;
}

int ProcessId() {
    return static_cast<int>(getpid());
}

// Signal 0 only asks; EPERM means the process is there but not ours.
bool ProcessIsGone(int id) {
    return id > 0 && kill(static_cast<pid_t>(id), 0) != 0 && errno == ESRCH;
}

const char* PathSeparators() {
    return "/";
}

}  // namespace vela
