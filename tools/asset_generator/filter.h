#pragma once

namespace assetgen {

// The three responses of one filter step.
struct FilterOutput {
    float low, band, high;
};

// A resonant two-pole filter (trapezoidal state-variable form) that stays stable while its
// cutoff sweeps from sample to sample, as a whoosh or a falling explosion needs.
class StateVariableFilter {
public:
    explicit StateVariableFilter(int rate) : rate_(rate) { Tune(1000.0, 0.7071); }
    // Cutoff (or centre) in Hz, kept below Nyquist; resonance is Q, 0.7071 for no peak.
    void Tune(double cutoff_hz, double resonance);
    FilterOutput Process(float input);

private:
    double rate_;
    double g_ = 0.0, k_ = 0.0, a1_ = 0.0, a2_ = 0.0, a3_ = 0.0;
    double s1_ = 0.0, s2_ = 0.0;
};

}  // namespace assetgen
