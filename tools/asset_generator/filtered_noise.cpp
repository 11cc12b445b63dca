#include "filtered_noise.h"

#include <cmath>

#include "filter.h"
#include "noise.h"

namespace assetgen {

void FilteredNoise::Play(SampleBuffer& out, double start, const Envelope& level,
                         const Envelope& cutoff_hz, float gain) const {
    WhiteNoise noise(seed_);
    StateVariableFilter filter(out.Rate());
    const int first = out.FrameAt(start);
    const int frames = static_cast<int>(std::lround(level.Length() * out.Rate()));
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / out.Rate();
        filter.Tune(cutoff_hz.At(t), resonance_);
        const FilterOutput f = filter.Process(noise.Next());
        const float v = response_ == Response::Low    ? f.low
                        : response_ == Response::Band ? f.band
                                                      : f.high;
        out.Add(first + i, gain * level.At(t) * v);
    }
}

}  // namespace assetgen
