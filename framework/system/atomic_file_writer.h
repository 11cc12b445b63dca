#pragma once

#include <cstdio>
#include <string>

namespace vela {

/// Writes a file so that the old one survives any failure: the bytes go to a temporary
/// file beside the target (named as PartialFiles says), which replaces the target (by
/// rename) only in Commit, once every write, the flush and the close have succeeded. A
/// link is followed, so the file it points to is the one replaced. Nothing but temporary
/// files of ours is ever removed: this writer's own, and on Open those of the same target
/// whose process is gone. Only a regular file (or a new name in an existing folder) is a
/// target: a directory or a device is refused.
class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
    /// An unfinished file is discarded.
    ~AtomicFileWriter();

    /// Whether `target` could be written, without creating anything; `error` says why not.
    static bool CheckTarget(const std::string& target, std::string& error);

    /// Creates the temporary file. False, with Error() set, when it can't be made.
    bool Open(const std::string& target);
    /// Null until Open succeeds and after Commit or Discard.
    std::FILE* Stream() const { return stream_; }
    /// Checks every write, flushes to disk, closes and renames over the target. False,
    /// with Error() set and the target untouched, on any failure.
    bool Commit();
    /// Closes and removes the temporary file; the target is untouched.
    void Discard();

    /// "<target>: <reason>", for the caller's message.
    const std::string& Error() const { return error_; }

private:
    bool Fail(const std::string& reason);

    std::string target_;     // as given, for messages
    std::string resolved_;   // the file that is replaced (links followed)
    std::string temporary_;  // ours, beside it
    std::FILE* stream_ = nullptr;
    std::string error_;
};

}  // namespace vela
