#pragma once

namespace assetgen {

enum class Waveform { Sine, Triangle, Square, Saw };

// A tone from a running phase, so its pitch can glide sample by sample without a jump.
// Square and saw are smoothed at their steps (PolyBLEP) so high notes don't alias.
class Oscillator {
public:
    Oscillator(Waveform wave, int rate) : wave_(wave), rate_(rate) {}
    void SetFrequency(double hz) { step_ = hz / rate_; }
    // The value at the current phase in -1..1, then one sample on.
    float Next();

private:
    Waveform wave_;
    double rate_;
    double phase_ = 0.0;  // cycles, 0..1
    double step_ = 0.0;
};

}  // namespace assetgen
