#pragma once

#include <string>

namespace vela {

/// The unfinished files that AtomicFileWriter writes beside a target before renaming them
/// over it: ".<name>.partial-<process id>-<n>" in the target's folder, hidden and marked
/// with the writing process, so that one left by a process that was killed is known as
/// ours and can be removed the next time the same target is written.
class PartialFiles {
public:
    /// The partial file `number` of process `process` for `target` (a path).
    static std::string Name(const std::string& target, int process, int number);

    /// Whether the folder entry `entry` is exactly a partial file of the target named
    /// `target_name` (no folder), and if so the process that wrote it.
    static bool Match(const std::string& target_name, const std::string& entry, int& process);

    /// Removes the partial files of `target` whose process is gone; never this process's,
    /// a live process's, or anything that is not a plain file of exactly that name.
    /// Returns how many were removed.
    static int RemoveStale(const std::string& target);
};

}  // namespace vela
