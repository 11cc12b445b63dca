#include "vela/audio/ogg_reader.h"

#include <vector>

#include "vela/audio/ogg_stream.h"
#include "vela/audio/sound_limit_check.h"

namespace vela {

namespace {

constexpr int32_t kChunkFrames = 4096;

}  // namespace

bool OggReader::Decode(const uint8_t* data, std::size_t size, const SoundLimits& limits,
                       SoundData& sound, std::string& error) {
    sound = SoundData();
    OggStream stream;
    std::vector<uint8_t> bytes;
    if (data != nullptr) {
        bytes.assign(data, data + size);
    }
    if (!stream.Open(std::move(bytes), error)) {
        return false;
    }
    const int32_t rate = stream.SampleRate();
    const int32_t channels = stream.Channels();
    // The stream checks the loader's limits; these may be narrower.
    if (!SoundLimitCheck::Rate(rate, limits, error)) {
        return false;
    }
    // The length is known only by decoding (the last page's position may lie), so the limit
    // is checked on every chunk: the samples never outgrow the longest sound allowed.
    std::vector<int16_t> samples;
    std::vector<int16_t> chunk(std::size_t(kChunkFrames) * std::size_t(channels));
    uint64_t frames = 0;
    for (;;) {
        const int32_t got = stream.Read(chunk.data(), kChunkFrames);
        if (got < 0) {
            // A sound effect cut at a damaged packet would play wrong without a word.
            error =
                "damaged (a packet after " + std::to_string(frames) + " frames can't be decoded)";
            return false;
        }
        if (got == 0) {
            break;
        }
        frames += uint64_t(got);
        if (!SoundLimitCheck::Length(frames, rate, limits, error)) {
            return false;
        }
        samples.insert(samples.end(), chunk.begin(),
                       chunk.begin() + std::ptrdiff_t(got) * channels);
    }
    if (samples.empty()) {
        error = "holds no sound";
        return false;
    }
    sound.sample_rate = rate;
    sound.channels = channels;
    sound.samples = std::move(samples);
    return true;
}

}  // namespace vela
