#pragma once

#include <cstdint>
#include <vector>

namespace vela {

/// Decoded sound in memory: signed 16-bit PCM, interleaved when stereo (left, right).
/// Empty samples mean "no sound": a failed load leaves that, and it plays as silence.
struct SoundData {
    int32_t sample_rate = 0;       ///< frames a second
    int32_t channels = 0;          ///< 1 (mono) or 2 (stereo)
    std::vector<int16_t> samples;  ///< frames x channels values

    /// Frames of sound (one sample per channel each).
    int64_t Frames() const { return channels > 0 ? int64_t(samples.size()) / channels : 0; }
    /// Length in seconds; 0 for no sound.
    double Seconds() const {
        return sample_rate > 0 ? double(Frames()) / double(sample_rate) : 0.0;
    }
    /// True when there is nothing to play.
    bool Empty() const { return samples.empty(); }
};

/// What one sound file may cost, checked on the file's header before the samples' memory
/// is taken. The defaults fit any sound a game ships; raise them with SoundLoader::SetLimits.
struct SoundLimits {
    uint64_t max_file_bytes = 64u * 1024u * 1024u;  ///< the file is read whole first
    double max_seconds = 600.0;                     ///< decoded length of one sound
    int32_t min_rate = 8000;                        ///< frames a second, lowest taken
    int32_t max_rate = 192000;                      ///< frames a second, highest taken
};

}  // namespace vela
