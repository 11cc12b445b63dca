#include "vela/system/atomic_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace vela {

namespace {

std::string Folder(const std::string& path) {
#ifdef _WIN32
    const std::string::size_type slash = path.find_last_of("\\/");
#else
    const std::string::size_type slash = path.find_last_of('/');
#endif
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

// The file a write to `target` really replaces: links followed. Empty, with `error`
// set, when the target can't be written.
std::string Resolve(const std::string& target, std::string& error) {
    if (target.empty()) {
        error = "no file name given";
        return std::string();
    }
    std::string resolved = target;
#ifndef _WIN32
    struct stat link;
    if (lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        char real[PATH_MAX];
        if (realpath(target.c_str(), real) == nullptr) {
            error =
                target + ": a link to a file that can't be reached (" + std::strerror(errno) + ")";
            return std::string();
        }
        resolved = real;
    }
#endif
    struct stat info;
    if (stat(resolved.c_str(), &info) == 0) {
        if ((info.st_mode & S_IFMT) == S_IFDIR) {
            error = target + ": is a directory";
            return std::string();
        }
        if ((info.st_mode & S_IFMT) != S_IFREG) {
            error = target + ": is not a regular file (a device or pipe is never replaced)";
            return std::string();
        }
        return resolved;
    }
    if (errno != ENOENT) {
        error = target + ": " + std::strerror(errno);
        return std::string();
    }
    const std::string folder = Folder(resolved);
    if (stat(folder.c_str(), &info) != 0 || (info.st_mode & S_IFMT) != S_IFDIR) {
        error = target + ": the folder " + folder + " does not exist";
        return std::string();
    }
    return resolved;
}

int ProcessId() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

}  // namespace

AtomicFileWriter::~AtomicFileWriter() {
    Discard();
}

bool AtomicFileWriter::CheckTarget(const std::string& target, std::string& error) {
    return !Resolve(target, error).empty();
}

bool AtomicFileWriter::Fail(const std::string& reason) {
    error_ = target_ + ": " + reason;
    Discard();
    return false;
}

bool AtomicFileWriter::Open(const std::string& target) {
    Discard();
    target_ = target;
    error_.clear();
    resolved_ = Resolve(target, error_);
    if (resolved_.empty())
        return false;

    // The target's permissions carry over to the file that replaces it.
    struct stat existing;
    const bool replacing = stat(resolved_.c_str(), &existing) == 0;

    static int counter = 0;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary_ =
            resolved_ + ".tmp" + std::to_string(ProcessId()) + "-" + std::to_string(counter++);
#ifdef _WIN32
        fd = _open(temporary_.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                   _S_IREAD | _S_IWRITE);
#else
        fd = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
#endif
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        const std::string reason =
            std::string("can't create a file beside it (") + std::strerror(errno) + ")";
        temporary_.clear();
        return Fail(reason);
    }
#ifdef _WIN32
    stream_ = _fdopen(fd, "wb");
#else
    if (replacing)
        fchmod(fd, existing.st_mode & 07777);
    stream_ = fdopen(fd, "wb");
#endif
    (void)replacing;
    if (stream_ == nullptr) {
#ifdef _WIN32
        _close(fd);
#else
        close(fd);
#endif
        return Fail(std::string("can't write (") + std::strerror(errno) + ")");
    }
    return true;
}

bool AtomicFileWriter::Commit() {
    if (stream_ == nullptr) {
        if (error_.empty())
            error_ = target_ + ": nothing was written";
        return false;
    }
    errno = 0;
    bool ok = std::fflush(stream_) == 0 && !std::ferror(stream_);
    int saved = errno;
#ifdef _WIN32
    ok = ok && _commit(_fileno(stream_)) == 0;
#else
    ok = ok && fsync(fileno(stream_)) == 0;
#endif
    if (!ok)
        saved = errno;
    const bool closed = std::fclose(stream_) == 0;
    if (ok && !closed)
        saved = errno;
    stream_ = nullptr;
    if (!ok || !closed)
        return Fail(std::string("write failed (") + std::strerror(saved ? saved : EIO) + ")");
#ifdef _WIN32
    const bool renamed = MoveFileExA(temporary_.c_str(), resolved_.c_str(),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!renamed)
        errno = EACCES;
#else
    const bool renamed = std::rename(temporary_.c_str(), resolved_.c_str()) == 0;
#endif
    if (!renamed)
        return Fail(std::string("can't replace it (") + std::strerror(errno) + ")");
    temporary_.clear();
    return true;
}

void AtomicFileWriter::Discard() {
    if (stream_ != nullptr) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    if (!temporary_.empty()) {
        std::remove(temporary_.c_str());
        temporary_.clear();
    }
}

}  // namespace vela
