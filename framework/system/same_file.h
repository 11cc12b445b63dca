#pragma once

#include <string>

namespace vela {

// True when both paths exist and name one file (the same device and inode, or their
// Windows equivalent), whatever links or spellings lead there.
bool IsSameFile(const std::string& a, const std::string& b);

}  // namespace vela
