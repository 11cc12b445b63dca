#pragma once

#include <cstdint>

#include "envelope.h"
#include "sample_buffer.h"

namespace assetgen {

enum class Response { Low, Band, High };

// Seeded white noise through a filter whose cutoff follows an envelope: whooshes,
// puffs, the crack and rumble of a blast.
class FilteredNoise {
public:
    FilteredNoise(uint64_t seed, Response response, double resonance)
        : seed_(seed), response_(response), resonance_(resonance) {}
    // Lasts as long as `level`; both envelopes run from `start`.
    void Play(SampleBuffer& out, double start, const Envelope& level, const Envelope& cutoff_hz,
              float gain) const;

private:
    uint64_t seed_;
    Response response_;
    double resonance_;
};

}  // namespace assetgen
