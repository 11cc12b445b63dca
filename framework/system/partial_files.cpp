#include "vela/system/partial_files.h"

#include <climits>
#include <vector>

#include "vela/system/os_file.h"

namespace vela {

namespace {

constexpr char kMark[] = ".partial-";

// The folder part of `path` with its separator ("" for none) and the name after it.
void Split(const std::string& path, std::string& folder, std::string& name) {
    const std::string::size_type slash = path.find_last_of(PathSeparators());
    folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    name = slash == std::string::npos ? path : path.substr(slash + 1);
}

// A decimal number as the writer prints it: digits only, no leading zero, within int.
bool ReadNumber(const std::string& text, std::string::size_type begin, std::string::size_type end,
                int& number) {
    if (begin >= end || end - begin > 10 || (text[begin] == '0' && end - begin > 1)) {
        return false;
    }
    long long value = 0;
    for (std::string::size_type i = begin; i < end; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
        value = value * 10 + (text[i] - '0');
    }
    if (value > INT_MAX) {
        return false;
    }
    number = static_cast<int>(value);
    return true;
}

}  // namespace

std::string PartialFiles::Name(const std::string& target, int process, int number) {
    std::string folder, name;
    Split(target, folder, name);
    return folder + "." + name + kMark + std::to_string(process) + "-" + std::to_string(number);
}

bool PartialFiles::Match(const std::string& target_name, const std::string& entry, int& process) {
    const std::string prefix = "." + target_name + kMark;
    if (target_name.empty() || entry.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    const std::string::size_type dash = entry.find('-', prefix.size());
    int id = 0, number = 0;
    if (dash == std::string::npos || !ReadNumber(entry, prefix.size(), dash, id) || id <= 0 ||
        !ReadNumber(entry, dash + 1, entry.size(), number)) {
        return false;
    }
    process = id;
    return true;
}

int PartialFiles::RemoveStale(const std::string& target) {
    std::string folder, name;
    Split(target, folder, name);
    std::vector<std::string> entries;
    int error = 0;
    if (!ListFolder(folder.empty() ? "." : folder, entries, error)) {
        return 0;
    }
    const int self = ProcessId();
    int removed = 0;
    for (const std::string& entry : entries) {
        int process = 0;
        if (!Match(name, entry, process) || process == self || !ProcessIsGone(process)) {
            continue;
        }
        const std::string path = folder + entry;
        if (IsPlainFile(path) && RemoveFile(path, error)) {
            ++removed;
        }
    }
    return removed;
}

}  // namespace vela
