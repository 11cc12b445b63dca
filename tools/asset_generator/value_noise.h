#pragma once

#include <cstdint>

namespace assetgen {

// Smooth 2D value noise on an integer lattice hashed from a fixed seed, so every run
// draws the same grain, wood and smoke.
class ValueNoise {
public:
    explicit ValueNoise(uint32_t seed) : seed_(seed) {}
    // 0..1, one lattice cell per unit.
    float Sample(float x, float y) const;
    // Sum of `octaves` layers, each twice as fine and half as strong; 0..1.
    float Fractal(float x, float y, int octaves) const;

private:
    float Lattice(int32_t x, int32_t y) const;
    uint32_t seed_;
};

}  // namespace assetgen
