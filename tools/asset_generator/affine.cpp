#include "affine.h"

#include <cmath>

namespace assetgen {

Affine Affine::Translate(Vec2 t) {
    Affine m;
    m.tx_ = t.x;
    m.ty_ = t.y;
    return m;
}

Affine Affine::Rotate(float angle) {
    Affine m;
    m.a_ = std::cos(angle);
    m.b_ = std::sin(angle);
    m.c_ = -m.b_;
    m.d_ = m.a_;
    return m;
}

Affine Affine::Scale(float sx, float sy) {
    Affine m;
    m.a_ = sx;
    m.d_ = sy;
    return m;
}

Affine Affine::RotateAbout(Vec2 centre, float angle) {
    return Translate(centre) * Rotate(angle) * Translate(-centre);
}

Affine Affine::operator*(const Affine& n) const {
    Affine m;
    m.a_ = a_ * n.a_ + c_ * n.b_;
    m.b_ = b_ * n.a_ + d_ * n.b_;
    m.c_ = a_ * n.c_ + c_ * n.d_;
    m.d_ = b_ * n.c_ + d_ * n.d_;
    m.tx_ = a_ * n.tx_ + c_ * n.ty_ + tx_;
    m.ty_ = b_ * n.tx_ + d_ * n.ty_ + ty_;
    return m;
}

Vec2 Affine::Apply(Vec2 p) const {
    return {a_ * p.x + c_ * p.y + tx_, b_ * p.x + d_ * p.y + ty_};
}

Affine Affine::Inverse() const {
    const float det = a_ * d_ - b_ * c_;
    Affine m;
    if (det == 0.0f) {
        return m;  // degenerate maps draw nothing sensible anyway; identity keeps it safe
    }
    const float inv = 1.0f / det;
    m.a_ = d_ * inv;
    m.b_ = -b_ * inv;
    m.c_ = -c_ * inv;
    m.d_ = a_ * inv;
    m.tx_ = -(m.a_ * tx_ + m.c_ * ty_);
    m.ty_ = -(m.b_ * tx_ + m.d_ * ty_);
    return m;
}

float Affine::LengthScale() const {
    return std::sqrt(std::fabs(a_ * d_ - b_ * c_));
}

}  // namespace assetgen
