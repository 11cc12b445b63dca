#include "paint.h"

namespace assetgen {

Paint::Paint(const Colour& colour) : stops_{{0.0f, colour}} {}

Paint Paint::Linear(Vec2 from, Vec2 to, std::vector<std::pair<float, Colour>> stops) {
    Paint p(Colour{});
    p.kind_ = Kind::Linear;
    p.from_ = from;
    p.to_ = to;
    p.stops_ = std::move(stops);
    return p;
}

Paint Paint::Linear(Vec2 from, const Colour& a, Vec2 to, const Colour& b) {
    return Linear(from, to, {{0.0f, a}, {1.0f, b}});
}

Paint Paint::Radial(Vec2 centre, float radius, std::vector<std::pair<float, Colour>> stops) {
    Paint p(Colour{});
    p.kind_ = Kind::Radial;
    p.from_ = centre;
    p.radius_ = radius > 0.0f ? radius : 1.0f;
    p.stops_ = std::move(stops);
    return p;
}

Paint Paint::Radial(Vec2 centre, float radius, const Colour& inner, const Colour& outer) {
    return Radial(centre, radius, {{0.0f, inner}, {1.0f, outer}});
}

Paint& Paint::WithGrain(const ValueNoise& noise, float freq_x, float freq_y, float amount,
                        int octaves) {
    noise_ = &noise;
    freq_x_ = freq_x;
    freq_y_ = freq_y;
    amount_ = amount;
    octaves_ = octaves;
    return *this;
}

Colour Paint::StopAt(float t) const {
    if (stops_.empty()) {
        return {};
    }
    if (t <= stops_.front().first) {
        return stops_.front().second;
    }
    for (size_t i = 1; i < stops_.size(); ++i) {
        if (t <= stops_[i].first) {
            const float span = stops_[i].first - stops_[i - 1].first;
            const float f = span > 0.0f ? (t - stops_[i - 1].first) / span : 1.0f;
            return Mix(stops_[i - 1].second, stops_[i].second, f);
        }
    }
    return stops_.back().second;
}

Colour Paint::At(Vec2 p) const {
    Colour c;
    switch (kind_) {
        case Kind::Solid:
            c = stops_.empty() ? Colour{} : stops_[0].second;
            break;
        case Kind::Linear: {
            const Vec2 d = to_ - from_;
            const float len2 = Dot(d, d);
            c = StopAt(len2 > 0.0f ? Dot(p - from_, d) / len2 : 0.0f);
            break;
        }
        case Kind::Radial:
            c = StopAt(Length(p - from_) / radius_);
            break;
    }
    if (noise_ != nullptr) {
        const float n = noise_->Fractal(p.x * freq_x_, p.y * freq_y_, octaves_);
        c = c.Shade(1.0f + amount_ * (n - 0.5f));
    }
    return c;
}

}  // namespace assetgen
