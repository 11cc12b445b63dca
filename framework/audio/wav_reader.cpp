#include "vela/audio/wav_reader.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "vela/audio/sound_limit_check.h"

namespace vela {

namespace {

constexpr uint16_t kPcm = 1;
constexpr uint16_t kFloat = 3;
constexpr uint16_t kExtensible = 0xfffe;
// The sub-format GUID of an extensible header is the format tag followed by these bytes.
constexpr uint8_t kGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                   0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};

uint16_t Little16(const uint8_t* p) {
    return uint16_t(p[0] | (p[1] << 8));
}

uint32_t Little32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

struct Format {
    uint16_t tag = 0;
    uint16_t channels = 0;
    uint32_t rate = 0;
    uint16_t block_align = 0;
    uint16_t bits = 0;
};

// The fmt chunk's fields, an extensible header resolved to its sub-format. The byte rate is
// not read: it follows from the rest, and writers often get it wrong.
bool ReadFormat(const uint8_t* p, uint32_t size, Format& format, std::string& error) {
    if (size < 16) {
        error = "damaged (fmt chunk too short)";
        return false;
    }
    format.tag = Little16(p);
    format.channels = Little16(p + 2);
    format.rate = Little32(p + 4);
    format.block_align = Little16(p + 12);
    format.bits = Little16(p + 14);
    if (format.tag != kExtensible) {
        return true;
    }
    if (size < 40 || Little16(p + 16) < 22) {
        error = "damaged (extensible fmt chunk too short)";
        return false;
    }
    const uint16_t valid_bits = Little16(p + 18);
    if (std::memcmp(p + 26, kGuidTail, sizeof(kGuidTail)) != 0) {
        error = "unknown extensible sub-format (PCM and float are read)";
        return false;
    }
    // Samples fill their container from the top, so fewer valid bits read the same way.
    if (valid_bits > format.bits) {
        error = "damaged (" + std::to_string(valid_bits) + " valid bits in " +
                std::to_string(format.bits) + "-bit samples)";
        return false;
    }
    format.tag = Little16(p + 24);
    return true;
}

bool CheckFormat(const Format& format, const SoundLimits& limits, std::string& error) {
    if (format.tag != kPcm && format.tag != kFloat) {
        error = "format " + std::to_string(format.tag) + " is not read (PCM and float are)";
        return false;
    }
    if (format.channels == 0) {
        error = "damaged (no channels)";
        return false;
    }
    if (format.channels > 2) {
        error = std::to_string(format.channels) + " channels (mono and stereo are played)";
        return false;
    }
    if (!SoundLimitCheck::Rate(format.rate, limits, error)) {
        return false;
    }
    if (format.tag == kPcm && format.bits != 8 && format.bits != 16) {
        error = std::to_string(format.bits) + "-bit PCM is not read (8 and 16-bit are)";
        return false;
    }
    if (format.tag == kFloat && format.bits != 32) {
        error = std::to_string(format.bits) + "-bit float is not read (32-bit is)";
        return false;
    }
    if (format.block_align != format.channels * (format.bits / 8)) {
        error = "damaged (block align " + std::to_string(format.block_align) + " for " +
                std::to_string(format.channels) + " channels of " + std::to_string(format.bits) +
                " bits)";
        return false;
    }
    return true;
}

int16_t FromFloat(const uint8_t* p) {
    const uint32_t bits = Little32(p);
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof(value));
    if (std::isnan(value)) {
        return 0;
    }
    // x 32768, the inverse of the usual 16-bit to float: 16-bit sounds saved as float come
    // back exactly. Full scale and beyond clips.
    const double scaled = std::round(double(value) * 32768.0);
    return int16_t(scaled >= 32767.0 ? 32767 : scaled <= -32768.0 ? -32768 : scaled);
}

void Convert(const uint8_t* in, std::size_t count, const Format& format, int16_t* out) {
    for (std::size_t i = 0; i < count; ++i) {
        if (format.tag == kFloat) {
            out[i] = FromFloat(in + i * 4);
        } else if (format.bits == 16) {
            out[i] = int16_t(Little16(in + i * 2));
        } else {
            out[i] = int16_t((int(in[i]) - 128) * 256);
        }
    }
}

}  // namespace

bool WavReader::Decode(const uint8_t* data, std::size_t size, const SoundLimits& limits,
                       SoundData& sound, std::string& error) {
    sound = SoundData();
    if (data == nullptr || size < 12 || std::memcmp(data, "RIFF", 4) != 0 ||
        std::memcmp(data + 8, "WAVE", 4) != 0) {
        error = "not a WAV file";
        return false;
    }
    // The RIFF size is not trusted (writers that stream leave it wrong): each chunk says its
    // own. Positions are 64-bit so no chunk size wraps them, whatever size_t is.
    const uint64_t end = size;
    uint64_t at = 12;
    Format format;
    bool have_format = false;
    uint64_t data_at = 0;
    uint64_t data_bytes = 0;
    bool have_data = false;
    while (end - at >= 8 && !(have_format && have_data)) {
        const uint8_t* id = data + at;
        const uint32_t chunk_bytes = Little32(id + 4);
        const uint64_t body = at + 8;
        // A cut file is refused, the data chunk included: a sound effect that stops early
        // would play wrong without anyone being told. (Chunks after both fmt and data are
        // never read, so a damaged tag at the end costs nothing.)
        if (chunk_bytes > end - body) {
            error = "truncated (the \"" + std::string(reinterpret_cast<const char*>(id), 4) +
                    "\" chunk says " + std::to_string(chunk_bytes) + " bytes, " +
                    std::to_string(end - body) + " are left)";
            return false;
        }
        if (!have_format && std::memcmp(id, "fmt ", 4) == 0) {
            if (!ReadFormat(data + body, chunk_bytes, format, error)) {
                return false;
            }
            have_format = true;
        } else if (!have_data && std::memcmp(id, "data", 4) == 0) {
            data_at = body;
            data_bytes = chunk_bytes;
            have_data = true;
        }
        // Chunks are padded to an even size; the pad may be missing at the very end.
        at = body + chunk_bytes + (chunk_bytes & 1u);
        if (at > end) {
            at = end;
        }
    }
    if (!have_format) {
        error = "damaged (no fmt chunk)";
        return false;
    }
    if (!have_data) {
        error = "damaged (no data chunk)";
        return false;
    }
    if (!CheckFormat(format, limits, error)) {
        return false;
    }
    // A last frame cut short is dropped: less than one sample of every channel.
    const uint64_t frames = data_bytes / format.block_align;
    if (frames == 0) {
        error = "holds no sound";
        return false;
    }
    if (!SoundLimitCheck::Length(frames, format.rate, limits, error)) {
        return false;
    }
    const uint64_t count = frames * format.channels;
    std::vector<int16_t> samples;
    if (count > samples.max_size()) {
        error = "too long for this machine's memory";
        return false;
    }
    samples.resize(std::size_t(count));
    Convert(data + data_at, std::size_t(count), format, samples.data());
    sound.sample_rate = int32_t(format.rate);
    sound.channels = format.channels;
    sound.samples = std::move(samples);
    return true;
}

}  // namespace vela
