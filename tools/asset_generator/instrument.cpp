#include "instrument.h"

#include <algorithm>
#include <cmath>

#include "filter.h"

namespace assetgen {

void Instrument::Play(SampleBuffer& out, double start, double seconds, double hz,
                      float gain) const {
    Glide(out, start, seconds, hz, hz, gain);
}

void Instrument::Glide(SampleBuffer& out, double start, double seconds, double from_hz,
                       double to_hz, float gain) const {
    const double pi = 3.14159265358979323846;
    const int rate = out.Rate();
    const Timbre& t = timbre_;
    Oscillator osc(t.wave, rate);
    StateVariableFilter filter(rate);
    if (t.cutoff > 0.0) {
        filter.Tune(t.cutoff, 0.7071);
    }
    const int first = out.FrameAt(start);
    const int frames = static_cast<int>(std::lround((seconds + t.release) * rate));
    for (int i = 0; i < frames; ++i) {
        const double time = static_cast<double>(i) / rate;
        const double held = std::min(time, seconds);
        // Exponential glide: even steps in pitch, as the ear hears them.
        double hz = from_hz * std::pow(to_hz / from_hz, seconds > 0.0 ? held / seconds : 1.0);
        if (t.vibrato_depth > 0.0 && time > t.vibrato_delay) {
            const double grow = std::min(1.0, (time - t.vibrato_delay) / 0.15);
            hz *= std::pow(
                2.0, grow * t.vibrato_depth * std::sin(2.0 * pi * t.vibrato_hz * time) / 12.0);
        }
        osc.SetFrequency(hz);
        float v = osc.Next();
        if (t.cutoff > 0.0) {
            v = filter.Process(v).low;
        }
        double level = t.attack > 0.0 ? std::min(1.0, held / t.attack) : 1.0;
        if (t.decay > 0.0) {
            level *= std::exp(-held / t.decay);
        }
        if (time > seconds && t.release > 0.0) {
            level *= std::max(0.0, 1.0 - (time - seconds) / t.release);
        }
        out.Add(first + i, static_cast<float>(level) * gain * v);
    }
}

}  // namespace assetgen
