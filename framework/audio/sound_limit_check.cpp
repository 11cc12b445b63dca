#include "vela/audio/sound_limit_check.h"

#include <cstdio>

namespace vela {

bool SoundLimitCheck::Rate(int64_t rate, const SoundLimits& limits, std::string& error) {
    if (rate >= limits.min_rate && rate <= limits.max_rate && rate > 0) {
        return true;
    }
    error = "rate of " + std::to_string(rate) + " Hz is outside " +
            std::to_string(limits.min_rate) + ".." + std::to_string(limits.max_rate) + " Hz";
    return false;
}

bool SoundLimitCheck::Length(uint64_t frames, int64_t rate, const SoundLimits& limits,
                             std::string& error) {
    // In doubles: exact for any length a file can hold, and a NaN limit lets nothing by.
    if (rate > 0 && double(frames) / double(rate) <= limits.max_seconds) {
        return true;
    }
    char text[96];
    std::snprintf(text, sizeof(text), "longer than the limit of %g seconds", limits.max_seconds);
    error = text;
    return false;
}

}  // namespace vela
