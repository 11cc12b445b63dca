#include "envelope.h"

#include <cmath>

namespace assetgen {

Envelope& Envelope::To(double seconds, float level, float curve) {
    const float from = segments_.empty() ? start_ : segments_.back().to;
    segments_.push_back({length_, seconds, from, level, curve});
    length_ += seconds;
    return *this;
}

float Envelope::At(double seconds) const {
    if (segments_.empty() || seconds < 0.0) {
        return start_;
    }
    for (const Segment& s : segments_) {
        if (seconds < s.start + s.length) {
            const double p = (seconds - s.start) / s.length;
            const double shape = 1.0 - std::pow(1.0 - p, static_cast<double>(s.curve));
            return static_cast<float>(s.from + (s.to - s.from) * shape);
        }
    }
    return segments_.back().to;
}

}  // namespace assetgen
