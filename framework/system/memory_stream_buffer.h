#pragma once

#include <cstddef>
#include <streambuf>

namespace vela {

/// Lets a standard stream read (and overwrite in place) a block of memory it does not own.
/// Seeking is not supported.
class MemoryStreamBuffer : public std::streambuf {
public:
    MemoryStreamBuffer(char* data, std::size_t size);
};

}  // namespace vela
