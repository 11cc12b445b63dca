#include "vela/system/atomic_file_writer.h"

#include <cerrno>
#include <cstring>

#include "vela/system/os_file.h"
#include "vela/system/partial_files.h"

namespace vela {

namespace {

std::string Folder(const std::string& path) {
    const std::string::size_type slash = path.find_last_of(PathSeparators());
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? path.substr(0, 1) : path.substr(0, slash);
}

// The file a write to `target` really replaces: links followed. Empty, with `error`
// set, when the target can't be written.
std::string Resolve(const std::string& target, std::string& error) {
    if (target.empty()) {
        error = "no file name given";
        return std::string();
    }
    std::string resolved;
    int code = 0;
    if (!FollowLink(target, resolved, code)) {
        error = target + ": a link to a file that can't be reached (" + std::strerror(code) + ")";
        return std::string();
    }
    FileKind kind;
    if (KindOfFile(resolved, kind, code)) {
        if (kind == FileKind::Directory) {
            error = target + ": is a directory";
            return std::string();
        }
        if (kind != FileKind::Regular) {
            error = target + ": is not a regular file (a device or pipe is never replaced)";
            return std::string();
        }
        return resolved;
    }
    if (code != ENOENT) {
        error = target + ": " + std::strerror(code);
        return std::string();
    }
    const std::string folder = Folder(resolved);
    if (!KindOfFile(folder, kind, code) || kind != FileKind::Directory) {
        error = target + ": the folder " + folder + " does not exist";
        return std::string();
    }
    return resolved;
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
    if (resolved_.empty()) {
        return false;
    }

    // What a killed writer left here is of no use to anyone.
    PartialFiles::RemoveStale(resolved_);

    // A name no one else uses, beside the target; it gets the target's permissions.
    static int counter = 0;
    int code = 0;
    for (int attempt = 0; attempt < 100 && stream_ == nullptr; ++attempt) {
        temporary_ = PartialFiles::Name(resolved_, ProcessId(), counter++);
        stream_ = CreateExclusive(temporary_, resolved_, code);
        if (stream_ == nullptr && code != EEXIST) {
            break;
        }
    }
    if (stream_ == nullptr) {
        temporary_.clear();
        return Fail(std::string("can't create a file beside it (") + std::strerror(code) + ")");
    }
    return true;
}

bool AtomicFileWriter::Commit() {
    if (stream_ == nullptr) {
        if (error_.empty()) {
            error_ = target_ + ": nothing was written";
        }
        return false;
    }
    errno = 0;
    bool ok = std::fflush(stream_) == 0 && !std::ferror(stream_);
    int saved = errno;
    ok = ok && SyncFile(stream_, saved);
    const bool closed = std::fclose(stream_) == 0;
    if (ok && !closed) {
        saved = errno;
    }
    stream_ = nullptr;
    if (!ok || !closed) {
        return Fail(std::string("write failed (") + std::strerror(saved ? saved : EIO) + ")");
    }
    if (!RenameOver(temporary_, resolved_, saved)) {
        return Fail(std::string("can't replace it (") + std::strerror(saved) + ")");
    }
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
