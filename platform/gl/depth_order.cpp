#include "vela/gl/depth_order.h"

#include <cmath>

namespace vela {

namespace {

// Values the vertex shader multiplies by the projection's zeros: kept well inside float
// range, a product is never infinite, so zero times it stays zero and never NaN.
constexpr float kMaxMagnitude = 1e18f;

bool Moderate(float value) {
    return std::fabs(value) < kMaxMagnitude;  // false for NaN too
}

}  // namespace

void DepthOrder::Restart(float clear_depth) {
    // Every sprite's depth is clamped into 0..1, so only a clear to the far plane is
    // passed by all of them.
    active_ = clear_depth >= 1.0f;
    have_projection_ = false;
    have_bound_ = false;
    admitted_ = 0;
}

bool DepthOrder::Admit(const Matrix44& projection, const Matrix44* sprites, size_t count) {
    if (!active_ || count > kMaxSprites - admitted_) {
        return false;
    }
    // clip z = x m[0][2] + y m[1][2] + z m[2][2] + m[3][2], clip w likewise with column 3:
    // depth is constant over a sprite and monotonic in z only when x and y take no part
    // and w is a positive constant.
    const Matrix44& p = projection;
    if (p.m[0][2] != 0.0f || p.m[1][2] != 0.0f || p.m[0][3] != 0.0f || p.m[1][3] != 0.0f ||
        p.m[2][3] != 0.0f || !(p.m[3][3] > 0.0f) || !std::isfinite(p.m[3][3]) ||
        !std::isfinite(p.m[2][2]) || !std::isfinite(p.m[3][2])) {
        return false;
    }
    if (have_projection_ && (p.m[2][2] != z_scale_ || p.m[3][2] != z_offset_ || p.m[3][3] != w_)) {
        return false;
    }

    // Larger key, farther sprite: depth grows with z when the scale is positive.
    const float direction = p.m[2][2] > 0.0f ? 1.0f : (p.m[2][2] < 0.0f ? -1.0f : 0.0f);
    bool have_bound = have_bound_;
    float bound = bound_;
    for (size_t i = 0; i < count; ++i) {
        const Matrix44& s = sprites[i];
        if (!Moderate(s.m[0][0]) || !Moderate(s.m[0][1]) || !Moderate(s.m[1][0]) ||
            !Moderate(s.m[1][1]) || !Moderate(s.m[2][0]) || !Moderate(s.m[2][1]) ||
            !std::isfinite(s.m[2][2])) {
            return false;
        }
        const float key = direction * s.m[2][2] + 0.0f;  // -0 and 0 are one depth
        if (have_bound && key > bound) {
            return false;
        }
        bound = key;
        have_bound = true;
    }
    have_projection_ = true;
    z_scale_ = p.m[2][2];
    z_offset_ = p.m[3][2];
    w_ = p.m[3][3];
    bound_ = bound;
    have_bound_ = have_bound;
    admitted_ += count;
    return true;
}

}  // namespace vela
