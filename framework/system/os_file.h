#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The operating system's file calls that the framework needs, and nothing else (with the
// one process call that tells whose unfinished file is stale): one
// implementation for POSIX (Linux, the browser's file system) and one for Win32, picked
// by the build, so the portable code includes no system header. A call that fails
// returns false (or null) and sets `error` to an errno value, for std::strerror.

namespace vela {

/// What a path names, once links are followed.
enum class FileKind { Regular, Directory, Other };

/// True when both paths exist and name one file (the same device and inode, or on Windows
/// the same volume serial and file index), whatever links or spellings lead there.
bool IsSameFile(const std::string& a, const std::string& b);

/// The file that a write to `path` really replaces: where a symbolic link leads (in full,
/// every link resolved), otherwise `path` itself. Windows keeps `path` as it is. False,
/// with `error` set, when `path` is a link to nothing that can be reached.
bool FollowLink(const std::string& path, std::string& followed, int& error);

/// The kind of file at `path`, links followed. False, with `error` set (ENOENT when
/// nothing is there), when it can't be examined.
bool KindOfFile(const std::string& path, FileKind& kind, int& error);

/// Creates the new file `path` and opens it for binary writing; never opens what is
/// already there (EEXIST). When the file `like` exists, the new file gets its
/// permissions. Null, with `error` set and nothing left behind, on failure.
std::FILE* CreateExclusive(const std::string& path, const std::string& like, int& error);

/// Asks the system to put what `stream` has handed it (after std::fflush) on the disk.
bool SyncFile(std::FILE* stream, int& error);

/// Renames `from` to `to` in one step, replacing a file that is there: a reader sees the
/// old file or the new one, never a part.
bool RenameOver(const std::string& from, const std::string& to, int& error);

/// True only when `path` itself, not where a link leads, is a regular file: false for a
/// link, a folder, a device or nothing.
bool IsPlainFile(const std::string& path);

/// The names in `folder`, without "." and "..", in no particular order.
bool ListFolder(const std::string& folder, std::vector<std::string>& names, int& error);

/// Removes the file `path`; never a folder. A link is removed, not what it points to.
bool RemoveFile(const std::string& path, int& error);

/// This process's id, for file names that another process does not pick.
int ProcessId();

/// True only when the system says no process `id` runs (for any other answer, a process
/// of another user or one that can't be asked about included, false).
bool ProcessIsGone(int id);

/// The characters that separate folders in a path ("/", or "\\/" on Windows).
const char* PathSeparators();

}  // namespace vela
