#pragma once

#include <cstddef>
#include <streambuf>

namespace vela {

/// Lets a standard stream read (and overwrite in place) a block of memory it does not own.
/// Seeking is not supported.
class MemoryStreamBuffer : public std::streambuf {
public:
    /// Reads and writes the `size` bytes at `data`, which must outlive the buffer.
    MemoryStreamBuffer(char* data, std::size_t size);
};

}  // namespace vela
