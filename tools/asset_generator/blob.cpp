#include "blob.h"

#include <algorithm>
#include <cmath>

#include "random.h"

namespace assetgen {

Blob::Blob(Vec2 centre, float radius, int lumps, uint64_t seed, float squash)
    : smoothing_(radius * 0.18f) {
    Random rng(seed);
    const float core = radius * 0.62f;
    parts_.emplace_back(centre, core);
    bounds_ = parts_[0].GetBounds();
    for (int i = 0; i < lumps; ++i) {
        const float a = 2.0f * kPi * (static_cast<float>(i) + rng.Range(-0.2f, 0.2f)) /
                        static_cast<float>(std::max(lumps, 1));
        const float r = radius * rng.Range(0.3f, 0.42f);
        const float reach = radius - r;
        const Vec2 c = centre + Vec2{std::cos(a) * reach, std::sin(a) * reach * squash};
        parts_.emplace_back(c, r);
        bounds_ = bounds_.Union(parts_.back().GetBounds());
    }
}

float Blob::Distance(Vec2 p) const {
    float d = parts_[0].Distance(p);
    for (size_t i = 1; i < parts_.size(); ++i) {
        const float e = parts_[i].Distance(p);
        const float h = Saturate(0.5f + 0.5f * (e - d) / smoothing_);
        d = e + (d - e) * h - smoothing_ * h * (1.0f - h);
    }
    return d;
}

Bounds Blob::GetBounds() const {
    return bounds_.Expanded(smoothing_ * 0.25f);
}

}  // namespace assetgen
