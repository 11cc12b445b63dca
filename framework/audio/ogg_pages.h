#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vela {

/// The page layer of an Ogg file, checked whole before a decoder sees it: every page is
/// complete and its checksum matches, there is one logical stream that begins on the first
/// page and ends on an end-of-stream page. The Vorbis decoder checks none of this, so a
/// flipped bit would otherwise play as noise and a cut file would end without a word.
class OggPages {
public:
    /// Size of the fixed part of a page header, before its segment table.
    static constexpr std::size_t kHeaderBytes = 27;

    /// True when `data` is one well-formed Ogg stream; `stream_bytes` is then where its
    /// end-of-stream page ends (anything after it, such as a tag, is not part of the stream).
    /// False with a short reason in `error` otherwise.
    static bool Check(const uint8_t* data, std::size_t size, std::size_t& stream_bytes,
                      std::string& error);
    /// The Ogg checksum of a page of `size` bytes, its own checksum field counted as zeros.
    static uint32_t Checksum(const uint8_t* page, std::size_t size);
    /// The `index`th packet (from 0) of a stream that passed Check, its segments gathered
    /// across pages; false when the stream ends first.
    static bool Packet(const uint8_t* data, std::size_t size, std::size_t index,
                       std::vector<uint8_t>& packet);
    /// Bytes of the page that starts at `data` (header, segment table and body), or 0 when
    /// `size` bytes don't hold a whole page header and its table.
    static std::size_t PageBytes(const uint8_t* data, std::size_t size);
};

}  // namespace vela
