#include "value_noise.h"

#include <cmath>

namespace assetgen {

float ValueNoise::Lattice(int32_t x, int32_t y) const {
    uint32_t h =
        seed_ ^ (static_cast<uint32_t>(x) * 0x8da6b343u) ^ (static_cast<uint32_t>(y) * 0xd8163841u);
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return static_cast<float>(h & 0xFFFFFFu) / static_cast<float>(0xFFFFFF);
}

float ValueNoise::Sample(float x, float y) const {
    const float fx = std::floor(x), fy = std::floor(y);
    const int32_t ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3.0f - 2.0f * tx);
    ty = ty * ty * (3.0f - 2.0f * ty);
    const float a = Lattice(ix, iy), b = Lattice(ix + 1, iy);
    const float c = Lattice(ix, iy + 1), d = Lattice(ix + 1, iy + 1);
    const float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float ValueNoise::Fractal(float x, float y, int octaves) const {
    float sum = 0.0f, weight = 1.0f, total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += Sample(x, y) * weight;
        total += weight;
        weight *= 0.5f;
        x = x * 2.0f + 17.3f;
        y = y * 2.0f + 5.9f;
    }
    return total > 0.0f ? sum / total : 0.0f;
}

}  // namespace assetgen
