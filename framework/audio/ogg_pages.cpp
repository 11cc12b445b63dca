#include "vela/audio/ogg_pages.h"

#include <array>
#include <cstring>

namespace vela {

namespace {

constexpr uint8_t kContinued = 0x01;
constexpr uint8_t kFirstPage = 0x02;
constexpr uint8_t kLastPage = 0x04;

// Offsets in the fixed header.
constexpr std::size_t kVersionAt = 4;
constexpr std::size_t kFlagsAt = 5;
constexpr std::size_t kSerialAt = 14;
constexpr std::size_t kSequenceAt = 18;
constexpr std::size_t kChecksumAt = 22;
constexpr std::size_t kSegmentsAt = 26;

// CRC-32 with polynomial 0x04c11db7, most significant bit first, no reflection, starting
// from 0: the one Ogg uses.
std::array<uint32_t, 256> MakeTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t i = 0; i < 256; ++i) {
        uint32_t r = i << 24;
        for (int bit = 0; bit < 8; ++bit) {
            r = (r & 0x80000000u) != 0 ? (r << 1) ^ 0x04c11db7u : r << 1;
        }
        table[i] = r;
    }
    return table;
}

uint32_t Little32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

bool IsCapture(const uint8_t* p, std::size_t size) {
    return size >= 4 && std::memcmp(p, "OggS", 4) == 0;
}

}  // namespace

uint32_t OggPages::Checksum(const uint8_t* page, std::size_t size) {
    static const std::array<uint32_t, 256> table = MakeTable();
    uint32_t crc = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const bool in_field = i >= kChecksumAt && i < kChecksumAt + 4;
        const uint8_t byte = in_field ? 0 : page[i];
        crc = (crc << 8) ^ table[((crc >> 24) ^ byte) & 0xffu];
    }
    return crc;
}

std::size_t OggPages::PageBytes(const uint8_t* data, std::size_t size) {
    if (size < kHeaderBytes) {
        return 0;
    }
    const std::size_t segments = data[kSegmentsAt];
    if (size < kHeaderBytes + segments) {
        return 0;
    }
    std::size_t body = 0;
    for (std::size_t i = 0; i < segments; ++i) {
        body += data[kHeaderBytes + i];
    }
    return kHeaderBytes + segments + body;
}

bool OggPages::Packet(const uint8_t* data, std::size_t size, std::size_t index,
                      std::vector<uint8_t>& packet) {
    packet.clear();
    std::size_t current = 0;
    std::size_t at = 0;
    while (at < size) {
        const std::size_t bytes = PageBytes(data + at, size - at);
        if (bytes == 0 || bytes > size - at) {
            return false;
        }
        const uint8_t* table = data + at + kHeaderBytes;
        const std::size_t segments = data[at + kSegmentsAt];
        const uint8_t* body = table + segments;
        for (std::size_t i = 0; i < segments; ++i) {
            if (current == index) {
                packet.insert(packet.end(), body, body + table[i]);
            }
            body += table[i];
            // A segment shorter than 255 bytes ends its packet.
            if (table[i] < 255) {
                if (current == index) {
                    return true;
                }
                ++current;
            }
        }
        at += bytes;
    }
    return false;
}

bool OggPages::Check(const uint8_t* data, std::size_t size, std::size_t& stream_bytes,
                     std::string& error) {
    stream_bytes = 0;
    if (data == nullptr || !IsCapture(data, size)) {
        error = "not an Ogg file";
        return false;
    }
    uint32_t serial = 0;
    uint32_t sequence = 0;
    std::size_t at = 0;
    // Each turn moves past one whole page of at least kHeaderBytes, so this ends.
    for (bool first = true;; first = false) {
        const uint8_t* page = data + at;
        const std::size_t left = size - at;
        if (left == 0) {
            error = "truncated (the stream has no end page)";
            return false;
        }
        if (left < 4 && std::memcmp(page, "OggS", left) == 0) {
            error = "truncated (its last page is cut short)";
            return false;
        }
        if (!IsCapture(page, left)) {
            error = "damaged (no Ogg page at byte " + std::to_string(at) + ")";
            return false;
        }
        const std::size_t bytes = PageBytes(page, left);
        if (bytes == 0 || bytes > left) {
            error = "truncated (its last page is cut short)";
            return false;
        }
        if (page[kVersionAt] != 0) {
            error = "damaged (unknown Ogg page version at byte " + std::to_string(at) + ")";
            return false;
        }
        if (Checksum(page, bytes) != Little32(page + kChecksumAt)) {
            error = "damaged (page checksum wrong at byte " + std::to_string(at) + ")";
            return false;
        }
        const uint8_t flags = page[kFlagsAt];
        const uint32_t page_serial = Little32(page + kSerialAt);
        const uint32_t page_sequence = Little32(page + kSequenceAt);
        if (first) {
            if ((flags & kFirstPage) == 0 || (flags & kContinued) != 0) {
                error = "damaged (the first page does not begin a stream)";
                return false;
            }
            serial = page_serial;
        } else if ((flags & kFirstPage) != 0 || page_serial != serial) {
            // Multiplexed streams (a Skeleton, video) or a chained second stream.
            error = "holds more than one Ogg stream";
            return false;
        } else if (page_sequence != sequence + 1u) {
            error = "damaged (a page is missing before byte " + std::to_string(at) + ")";
            return false;
        }
        sequence = page_sequence;
        at += bytes;
        if ((flags & kLastPage) != 0) {
            // What follows the end page is not sound (a tag some tool appended), unless it
            // is another stream, which the decoder would not play.
            if (IsCapture(data + at, size - at)) {
                error = "holds more than one Ogg stream";
                return false;
            }
            stream_bytes = at;
            return true;
        }
    }
}

}  // namespace vela
