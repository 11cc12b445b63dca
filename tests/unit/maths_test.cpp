#include <gtest/gtest.h>

#include <cmath>

#include "vela/maths/matrix44.h"
#include "vela/maths/vector4.h"

using vela::Matrix44;
using vela::Vector4;

namespace {

Matrix44 Sample() {
    // Invertible, with every element different so transposition and order errors show.
    const float values[4][4] = {{2, 0, 1, 3}, {1, 3, 0, 2}, {0, 1, 4, 1}, {5, 2, 1, 7}};
    Matrix44 m;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            m.m[r][c] = values[r][c];
        }
    }
    return m;
}

Vector4 Transform(const Vector4& v, const Matrix44& m) {
    return Vector4(v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + v.w * m.m[3][0],
                   v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + v.w * m.m[3][1],
                   v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + v.w * m.m[3][2],
                   v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + v.w * m.m[3][3]);
}

void ExpectIdentity(const Matrix44& m, float tolerance) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_NEAR(m.m[r][c], r == c ? 1.0f : 0.0f, tolerance) << r << "," << c;
        }
    }
}

}  // namespace

TEST(Matrix44Test, InverseOfSingularLeavesTargetAndReportsZero) {
    Matrix44 zero;
    zero.SetZero();
    Matrix44 target = Sample();
    float determinant = 123.0f;
    target.Inverse(zero, &determinant);
    EXPECT_EQ(determinant, 0.0f);
    const Matrix44 sample = Sample();
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(target.m[r][c], sample.m[r][c]);
        }
    }

    // Two equal rows: singular without being zero.
    Matrix44 flat = Sample();
    for (int c = 0; c < 4; ++c) {
        flat.m[2][c] = flat.m[1][c];
    }
    target.Inverse(flat, &determinant);
    EXPECT_EQ(determinant, 0.0f);
    EXPECT_EQ(target.m[0][0], sample.m[0][0]);
}

TEST(Matrix44Test, InverseOfIdentityAndOfAGeneralMatrix) {
    Matrix44 identity;
    identity.SetIdentity();
    Matrix44 inverse;
    float determinant = 0.0f;
    inverse.Inverse(identity, &determinant);
    EXPECT_EQ(determinant, 1.0f);
    ExpectIdentity(inverse, 0.0f);

    const Matrix44 a = Sample();
    inverse.Inverse(a, &determinant);
    ExpectIdentity(a * inverse, 1e-5f);
    ExpectIdentity(inverse * a, 1e-5f);

    // Inverting into itself gives the same result, and a null determinant pointer is fine.
    Matrix44 in_place = a;
    in_place.Inverse(in_place, nullptr);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_FLOAT_EQ(in_place.m[r][c], inverse.m[r][c]);
        }
    }
}

TEST(Matrix44Test, ProductOrderAndTranspose) {
    const Matrix44 a = Sample();
    Matrix44 identity;
    identity.SetIdentity();
    const Matrix44 ai = a * identity;
    Matrix44 b;
    b.Transpose(a);
    EXPECT_EQ(b.m[0][3], a.m[3][0]);
    EXPECT_EQ(b.m[2][1], a.m[1][2]);
    const Matrix44 ab = a * b;
    const Matrix44 ba = b * a;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(ai.m[r][c], a.m[r][c]);
        }
    }
    // Row 0 of A times column 0 of B, by hand: (2,0,1,3).(2,0,1,3) = 14.
    EXPECT_EQ(ab.m[0][0], 14.0f);
    // ... and row 0 of B times column 0 of A: (2,1,0,5).(2,1,0,5) = 30.
    EXPECT_EQ(ba.m[0][0], 30.0f);

    // Row vectors: a translation in row 3 moves a point.
    Matrix44 move;
    move.SetIdentity();
    move.m[3][0] = 5.0f;
    Matrix44 scale;
    scale.SetIdentity();
    scale.m[0][0] = 2.0f;
    const Vector4 p(1, 0, 0, 1);
    EXPECT_EQ(Transform(p, move * scale).x, 12.0f);  // move, then scale
    EXPECT_EQ(Transform(p, scale * move).x, 7.0f);   // scale, then move
}

TEST(Matrix44Test, OrthographicMapsScreenCorners) {
    Matrix44 ortho;
    ortho.OrthographicProjection(0.0f, 960.0f, 0.0f, 544.0f, -1.0f, 1.0f);
    const Vector4 top_left = Transform(Vector4(0, 0, -1, 1), ortho);
    EXPECT_FLOAT_EQ(top_left.x, -1.0f);
    EXPECT_FLOAT_EQ(top_left.y, 1.0f);
    EXPECT_FLOAT_EQ(top_left.z, 0.0f);
    EXPECT_FLOAT_EQ(top_left.w, 1.0f);
    const Vector4 bottom_right = Transform(Vector4(960, 544, 1, 1), ortho);
    EXPECT_FLOAT_EQ(bottom_right.x, 1.0f);
    EXPECT_FLOAT_EQ(bottom_right.y, -1.0f);
    EXPECT_FLOAT_EQ(bottom_right.z, 1.0f);
}

TEST(Matrix44Test, PerspectiveProjectionsMapNearAndFarToZeroAndOne) {
    Matrix44 fov;
    fov.PerspectiveFovProjection(1.0f, 2.0f, 0.5f, 100.0f);
    EXPECT_NEAR(fov.m[1][1], 1.0 / std::tan(0.5), 1e-5);
    EXPECT_NEAR(fov.m[0][0], 1.0 / (2.0 * std::tan(0.5)), 1e-5);
    EXPECT_EQ(fov.m[2][3], -1.0f);
    EXPECT_EQ(fov.m[3][3], 0.0f);
    // Right-handed: the camera looks down -z.
    const Vector4 near_point = Transform(Vector4(0, 0, -0.5f, 1), fov);
    const Vector4 far_point = Transform(Vector4(0, 0, -100.0f, 1), fov);
    EXPECT_NEAR(near_point.z / near_point.w, 0.0f, 1e-6);
    EXPECT_NEAR(far_point.z / far_point.w, 1.0f, 1e-6);

    Matrix44 frustum;
    frustum.PerspectiveFrustumProjection(-1.0f, 3.0f, 2.0f, -2.0f, 1.0f, 10.0f);
    EXPECT_FLOAT_EQ(frustum.m[2][0], 0.5f);  // off-centre frustum shifts x
    EXPECT_FLOAT_EQ(frustum.m[0][0], 0.5f);
    EXPECT_FLOAT_EQ(frustum.m[1][1], 0.5f);
}

TEST(Vector4Test, PackedColoursUnpackRedFirst) {
    Vector4 c;
    c.SetFromPackedColour(0xFF999999u);
    EXPECT_FLOAT_EQ(c.x, 0.6f);
    EXPECT_FLOAT_EQ(c.w, 1.0f);
    c.SetFromPackedColour(0xFF0000FFu);
    EXPECT_EQ(c.x, 1.0f);
    EXPECT_EQ(c.y, 0.0f);
    EXPECT_EQ(c.z, 0.0f);
    EXPECT_EQ(c.w, 1.0f);
    c.SetFromPackedColour(0x80402010u);
    EXPECT_FLOAT_EQ(c.x, 16.0f / 255.0f);
    EXPECT_FLOAT_EQ(c.y, 32.0f / 255.0f);
    EXPECT_FLOAT_EQ(c.z, 64.0f / 255.0f);
    EXPECT_FLOAT_EQ(c.w, 128.0f / 255.0f);
}

TEST(Vector4Test, CrossIsOrthogonalToAllThree) {
    const Vector4 a(1, 2, 3, 4), b(0, 1, 5, 2), c(7, 1, 0, 3);
    const Vector4 v = Vector4::Cross(a, b, c);
    auto dot = [](const Vector4& p, const Vector4& q) {
        return p.x * q.x + p.y * q.y + p.z * q.z + p.w * q.w;
    };
    EXPECT_FLOAT_EQ(dot(v, a), 0.0f);
    EXPECT_FLOAT_EQ(dot(v, b), 0.0f);
    EXPECT_FLOAT_EQ(dot(v, c), 0.0f);
    // Unit axes: e1, e2, e3 give -e4 or e4 and nothing else.
    const Vector4 w = Vector4::Cross(Vector4(1, 0, 0, 0), Vector4(0, 1, 0, 0), Vector4(0, 0, 1, 0));
    EXPECT_EQ(w.x, 0.0f);
    EXPECT_EQ(std::fabs(w.w), 1.0f);
}
