#include "filter.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

void StateVariableFilter::Tune(double cutoff_hz, double resonance) {
    const double pi = 3.14159265358979323846;
    const double hz = std::clamp(cutoff_hz, 1.0, rate_ * 0.45);
    g_ = std::tan(pi * hz / rate_);
    k_ = 1.0 / std::max(resonance, 0.05);
    a1_ = 1.0 / (1.0 + g_ * (g_ + k_));
    a2_ = g_ * a1_;
    a3_ = g_ * a2_;
}

FilterOutput StateVariableFilter::Process(float input) {
    const double v0 = input;
    const double v3 = v0 - s2_;
    const double v1 = a1_ * s1_ + a2_ * v3;
    const double v2 = s2_ + a2_ * s1_ + a3_ * v3;
    s1_ = 2.0 * v1 - s1_;
    s2_ = 2.0 * v2 - s2_;
    return {static_cast<float>(v2), static_cast<float>(v1), static_cast<float>(v0 - k_ * v1 - v2)};
}

}  // namespace assetgen
