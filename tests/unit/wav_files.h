#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// WAV files built in memory for the audio tests.
namespace wav {

inline std::string Le16(uint32_t v) {
    return {char(v & 0xff), char((v >> 8) & 0xff)};
}
inline std::string Le32(uint32_t v) {
    return Le16(v & 0xffff) + Le16(v >> 16);
}

// A chunk, padded to an even size; `declared` replaces the true size when a file lies.
inline std::string Chunk(const char* id, const std::string& body, int64_t declared = -1) {
    const uint32_t size = declared >= 0 ? uint32_t(declared) : uint32_t(body.size());
    return std::string(id, 4) + Le32(size) + body + std::string(body.size() % 2, '\0');
}

inline std::string Fmt(uint32_t tag, uint32_t channels, uint32_t rate, uint32_t bits,
                       int64_t block_align = -1) {
    const uint32_t align = block_align >= 0 ? uint32_t(block_align) : channels * bits / 8;
    return Chunk("fmt ", Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * align) +
                             Le16(align) + Le16(bits));
}

// WAVE_FORMAT_EXTENSIBLE around `sub_tag` (1 PCM, 3 float).
inline std::string ExtensibleFmt(uint32_t sub_tag, uint32_t channels, uint32_t rate, uint32_t bits,
                                 uint32_t valid_bits) {
    const uint32_t align = channels * bits / 8;
    const char guid_tail[] = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71";
    return Chunk("fmt ", Le16(0xfffe) + Le16(channels) + Le32(rate) + Le32(rate * align) +
                             Le16(align) + Le16(bits) + Le16(22) + Le16(valid_bits) +
                             Le32(channels == 2 ? 3 : 4) + Le16(sub_tag) +
                             std::string(guid_tail, 14));
}

inline std::string File(const std::string& chunks) {
    return "RIFF" + Le32(uint32_t(4 + chunks.size())) + "WAVE" + chunks;
}

inline std::string Pcm16(const std::vector<int16_t>& samples) {
    std::string out;
    for (int16_t s : samples) {
        out += Le16(uint16_t(s));
    }
    return out;
}

inline std::string Float32(const std::vector<float>& samples) {
    std::string out;
    for (float f : samples) {
        uint32_t bits = 0;
        std::memcpy(&bits, &f, 4);
        out += Le32(bits);
    }
    return out;
}

}  // namespace wav
