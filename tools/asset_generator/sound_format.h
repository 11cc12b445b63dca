#pragma once

#include <cmath>

#include "sample_buffer.h"

namespace assetgen {

// Rates and levels the generated sounds share, as palette.h is for the pictures.
namespace sound {

constexpr int kEffectRate = 22050;
constexpr int kMusicRate = 44100;

// Gain of a level in dB relative to full scale.
inline float Decibels(double db) {
    return static_cast<float>(std::pow(10.0, db / 20.0));
}

// An effect made ready to ship: no offset, short fades so it neither starts nor stops
// with a click, and its loudest sample at `peak_db`.
inline void Finish(SampleBuffer& s, double peak_db, double fade_in = 0.002,
                   double fade_out = 0.006) {
    s.RemoveDc();
    s.Fade(fade_in, fade_out);
    s.NormaliseTo(Decibels(peak_db));
}

}  // namespace sound
}  // namespace assetgen
