#pragma once

#include <cstdint>
#include <string>

#include "vela/audio/sound_data.h"

namespace vela {

/// The checks of a sound against SoundLimits that every reader makes, with one wording for
/// their reasons.
class SoundLimitCheck {
public:
    /// True when `rate` frames a second is within the limits; else false with the reason.
    static bool Rate(int64_t rate, const SoundLimits& limits, std::string& error);
    /// True when `frames` at `rate` (already checked) last no longer than max_seconds; else
    /// false with the reason.
    static bool Length(uint64_t frames, int64_t rate, const SoundLimits& limits,
                       std::string& error);
};

}  // namespace vela
