#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "vela/audio/sound_data.h"

namespace vela {

/// Decodes a RIFF/WAVE file in memory: 8-bit (unsigned) and 16-bit PCM and 32-bit float,
/// plain or in a WAVE_FORMAT_EXTENSIBLE header, mono or stereo, at any rate the limits
/// take. The samples always come out as signed 16-bit, interleaved. Unknown chunks are
/// skipped; the length is checked against the limits before the samples' memory is taken.
class WavReader {
public:
    /// True with the samples in `sound`; false with `sound` empty and a short reason in
    /// `error` for a damaged or cut file, a format not read, or a sound outside `limits`.
    static bool Decode(const uint8_t* data, std::size_t size, const SoundLimits& limits,
                       SoundData& sound, std::string& error);
};

}  // namespace vela
