// The WAV reader on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "vela/audio/wav_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    vela::SoundLimits limits;
    // Short enough that a made-up header costs little; the checks run the same.
    limits.max_seconds = 30.0;
    vela::SoundData sound;
    std::string error;
    if (vela::WavReader::Decode(data, size, limits, sound, error)) {
        // Every promised sample is there: read the last one.
        if (sound.channels < 1 || sound.channels > 2 || sound.samples.empty() ||
            sound.samples.size() % std::size_t(sound.channels) != 0) {
            std::abort();
        }
        volatile int16_t last = sound.samples.back();
        (void)last;
    } else if (!sound.Empty() || error.empty()) {
        std::abort();
    }
    return 0;
}
