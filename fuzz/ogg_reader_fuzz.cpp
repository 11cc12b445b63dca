// The Ogg Vorbis reader and stream on arbitrary bytes. Each input is also tried with its
// pages' checksums made right, so that changes inside a page reach the Vorbis decoder
// instead of stopping at the page check. What the stream takes is decoded once more by
// stb_vorbis on the heap: in its arena, an overrun of one of its tables into the next is
// invisible to AddressSanitizer; with a heap block for each table, it is not.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "vela/audio/ogg_pages.h"
#include "vela/audio/ogg_reader.h"
#include "vela/audio/ogg_stream.h"
#include "vela/audio/sound_loader.h"

#define STB_VORBIS_HEADER_ONLY
#define STB_VORBIS_NO_STDIO
#include "stb_vorbis.c"

namespace {

// Short, so a long stream costs little; the checks run the same.
constexpr double kMaxSeconds = 5.0;
constexpr int64_t kMaxFrames = 48000 * 5;

// True when a checksum had to change.
bool FixChecksums(std::vector<uint8_t>& bytes) {
    bool changed = false;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t page = vela::OggPages::PageBytes(bytes.data() + at, bytes.size() - at);
        if (page == 0 || page > bytes.size() - at) {
            break;
        }
        const uint32_t crc = vela::OggPages::Checksum(bytes.data() + at, page);
        for (int b = 0; b < 4; ++b) {
            uint8_t& byte = bytes[at + 22 + std::size_t(b)];
            changed = changed || byte != uint8_t(crc >> (8 * b));
            byte = uint8_t(crc >> (8 * b));
        }
        at += page;
    }
    return changed;
}

void DecodeWhole(const std::vector<uint8_t>& bytes) {
    vela::SoundData sound;
    std::string error;
    if (vela::OggReader::Decode(bytes.data(), bytes.size(), vela::SoundLoader::Limits(), sound,
                                error)) {
        if (sound.channels < 1 || sound.channels > 2 || sound.samples.empty()) {
            std::abort();
        }
    } else if (!sound.Empty() || error.empty()) {
        std::abort();
    }
}

void DecodeOnTheHeap(const std::vector<uint8_t>& bytes) {
    std::size_t stream_bytes = 0;
    std::string error;
    if (!vela::OggPages::Check(bytes.data(), bytes.size(), stream_bytes, error)) {
        return;
    }
    int code = 0;
    stb_vorbis* decoder = stb_vorbis_open_memory(bytes.data(), int(stream_bytes), &code, nullptr);
    if (decoder == nullptr) {
        return;
    }
    const int channels = stb_vorbis_get_info(decoder).channels;
    short out[4096];
    int64_t total = 0;
    for (int got = 1; got > 0 && total < kMaxFrames;) {
        got = stb_vorbis_get_samples_short_interleaved(decoder, channels, out, 4096);
        total += got;
    }
    stb_vorbis_close(decoder);
}

// Chunks of a size taken from the input, a rewind half-way, then on to the end.
void Stream(const std::vector<uint8_t>& bytes) {
    vela::OggStream stream;
    std::string error;
    if (!stream.Open(bytes, error)) {
        return;
    }
    DecodeOnTheHeap(bytes);
    const int32_t frames = 1 + (bytes.size() > 100 ? bytes[100] % 64 : 0) * 67;
    std::vector<int16_t> out(std::size_t(frames) * std::size_t(stream.Channels()));
    int64_t total = 0;
    for (int pass = 0; pass < 2; ++pass) {
        for (int32_t got = 1; got > 0 && total < kMaxFrames;) {
            got = stream.Read(out.data(), frames);
            if (got > frames) {
                std::abort();
            }
            total += got > 0 ? got : 0;
            if (pass == 0 && total > 4096) {
                break;
            }
        }
        stream.Rewind();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    vela::SoundLimits limits;
    limits.max_seconds = kMaxSeconds;
    vela::SoundLoader::SetLimits(limits);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    DecodeWhole(bytes);
    if (FixChecksums(bytes)) {
        DecodeWhole(bytes);
    }
    Stream(bytes);
    return 0;
}
