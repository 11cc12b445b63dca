#pragma once

#include "vec2.h"

namespace assetgen {

// 2D affine map p' = (a*x + c*y + tx, b*x + d*y + ty). Places shapes drawn in their
// own units onto a canvas (poses, animation frames, mirrored copies).
class Affine {
public:
    Affine() = default;

    static Affine Translate(Vec2 t);
    static Affine Rotate(float angle);  // positive turns clockwise on screen
    static Affine Scale(float sx, float sy);
    // Rotation by `angle` about `centre`.
    static Affine RotateAbout(Vec2 centre, float angle);

    // this after `inner`: (A * B)(p) = A(B(p)).
    Affine operator*(const Affine& inner) const;
    Vec2 Apply(Vec2 p) const;
    Affine Inverse() const;
    // Average length scale, used to turn distances into canvas units.
    float LengthScale() const;

private:
    float a_ = 1.0f, b_ = 0.0f, c_ = 0.0f, d_ = 1.0f, tx_ = 0.0f, ty_ = 0.0f;
};

}  // namespace assetgen
