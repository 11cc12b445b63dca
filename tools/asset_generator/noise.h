#pragma once

#include <cstdint>

#include "random.h"

namespace assetgen {

// White noise from the project's seeded generator: the same hiss on every run.
class WhiteNoise {
public:
    explicit WhiteNoise(uint64_t seed) : random_(seed) {}
    // Uniform in -1..1.
    float Next() { return random_.Range(-1.0f, 1.0f); }

private:
    Random random_;
};

}  // namespace assetgen
