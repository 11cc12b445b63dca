#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vela/audio/sound_data.h"

namespace vela {

/// Writes sounds as 16-bit PCM WAV files (a RIFF header, a fmt chunk and the data; no
/// other chunks), so the same samples always give the same bytes.
class WavWriter {
public:
    /// The whole file in memory; false for a sound a WAV file can't hold (no channels, no
    /// rate, a size past 4 GiB).
    static bool Encode(const SoundData& sound, std::vector<uint8_t>& bytes);
    /// Writes beside `filename` and renames over it when complete. False, with one line on
    /// standard error, when it can't; the file that was there is then left as it was.
    static bool Save(const char* filename, const SoundData& sound);
};

}  // namespace vela
