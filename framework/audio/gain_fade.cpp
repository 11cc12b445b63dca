#include "vela/audio/gain_fade.h"

#include <cmath>

namespace vela {

void GainFade::Set(float gain) {
    value_ = from_ = target_ = std::isfinite(gain) && gain > 0.0f ? gain : 0.0f;
    active_ = false;
}

void GainFade::Start(float target, float seconds) {
    if (!std::isfinite(target) || target < 0.0f) {
        target = 0.0f;
    }
    if (!(seconds > 0.0f) || !std::isfinite(seconds)) {
        Set(target);
        return;
    }
    from_ = value_;
    target_ = target;
    duration_ = seconds;
    elapsed_ = 0.0f;
    active_ = true;
}

bool GainFade::Advance(float seconds) {
    if (!active_ || !(seconds > 0.0f)) {
        return false;
    }
    elapsed_ += seconds;
    if (elapsed_ >= duration_) {
        value_ = target_;
        active_ = false;
        return true;
    }
    value_ = from_ + (target_ - from_) * (elapsed_ / duration_);
    return false;
}

}  // namespace vela
