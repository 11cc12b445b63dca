#pragma once

#include <cstdint>

namespace assetgen {

// Small seeded generator (SplitMix64) for scattering stars, confetti and sparks the
// same way on every run and every standard library.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint32_t Next() {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
    }
    // Uniform in [lo, hi).
    float Range(float lo, float hi) {
        return lo + (hi - lo) * static_cast<float>(Next() >> 8) / 16777216.0f;
    }

private:
    uint64_t state_;
};

}  // namespace assetgen
