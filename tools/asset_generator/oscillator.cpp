#include "oscillator.h"

#include <cmath>

namespace assetgen {

namespace {

// Residual of a band-limited step at phase t, for a step of dt cycles a sample.
double Blep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

}  // namespace

float Oscillator::Next() {
    const double pi = 3.14159265358979323846;
    const double t = phase_, dt = step_;
    double v = 0.0;
    switch (wave_) {
        case Waveform::Sine:
            v = std::sin(2.0 * pi * t);
            break;
        case Waveform::Triangle:
            v = t < 0.5 ? 4.0 * t - 1.0 : 3.0 - 4.0 * t;
            break;
        case Waveform::Square:
            v = (t < 0.5 ? 1.0 : -1.0) + Blep(t, dt) - Blep(std::fmod(t + 0.5, 1.0), dt);
            break;
        case Waveform::Saw:
            v = 2.0 * t - 1.0 - Blep(t, dt);
            break;
    }
    phase_ += step_;
    phase_ -= std::floor(phase_);
    return static_cast<float>(v);
}

}  // namespace assetgen
