#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "vela/audio/sound_data.h"

namespace vela {

/// Decodes a whole Ogg Vorbis file of a short sound into memory, a chunk at a time through
/// OggStream, and stops with an error as soon as it is longer than the limits allow, so a
/// stream that never ends can't take more memory than the longest sound allowed.
class OggReader {
public:
    /// True with the samples in `sound`; false with `sound` empty and a short reason in
    /// `error` for a damaged file, more than two channels, or a rate or length outside
    /// `limits`.
    static bool Decode(const uint8_t* data, std::size_t size, const SoundLimits& limits,
                       SoundData& sound, std::string& error);
};

}  // namespace vela
