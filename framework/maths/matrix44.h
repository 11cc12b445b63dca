#pragma once

#include "vela/maths/vector4.h"

namespace vela {

/// Row-major, row vectors: a point transforms as v * M, translation in row 3.
/// Clip space is Direct3D's: x, y in -1..1 with +y up, depth 0..1.
/// Hand a matrix to a shader constant buffer transposed.
class Matrix44 {
public:
    float m[4][4] = {};  ///< m[row][column]

    /// All zero.
    Matrix44() = default;

    /// Ones on the diagonal, zeros elsewhere.
    void SetIdentity();
    /// All zero.
    void SetZero();

    /// Row i of the result is sum over k of this[i][k] * row k of b.
    Matrix44 operator*(const Matrix44& b) const;

    /// This matrix becomes the transpose of `source` (which may be this one).
    void Transpose(const Matrix44& source);

    /// Leaves this matrix unchanged when the source is singular; the determinant
    /// is written through `determinant` when it is not null, in every case.
    /// `source` is taken by value, so a matrix may be inverted into itself.
    void Inverse(Matrix44 source, float* determinant);

    /// left maps to x -1, right to +1, top to y +1, bottom to -1, near to z 0, far to 1.
    void OrthographicProjection(float left, float right, float top, float bottom, float near_z,
                                float far_z);
    /// Right-handed perspective with depth 0..1.
    void PerspectiveFrustumProjection(float left, float right, float top, float bottom,
                                      float near_z, float far_z);
    /// fov is the vertical field of view in radians, aspect is width / height.
    void PerspectiveFovProjection(float fov, float aspect, float near_z, float far_z);

    /// Element at `row`, `column` (0..3, not checked).
    float Get(int row, int column) const { return m[row][column]; }
    /// Sets the element at `row`, `column` (0..3, not checked).
    void Set(int row, int column, float value) { m[row][column] = value; }
};

static_assert(sizeof(Matrix44) == 64, "Matrix44 must stay sixteen packed floats");

}  // namespace vela
