#include "vela/maths/matrix44.h"

#include <cmath>

namespace vela {

namespace {

Vector4 Row(const Matrix44& matrix, int row) {
    return Vector4(matrix.m[row][0], matrix.m[row][1], matrix.m[row][2], matrix.m[row][3]);
}

// Determinant of the 3x3 minor that leaves out row 0 and column `skip`.
float Minor3(const Matrix44& a, int skip) {
    int c[3];
    for (int i = 0, n = 0; i < 4; ++i) {
        if (i != skip) {
            c[n++] = i;
        }
    }
    const float(*m)[4] = a.m;
    return m[1][c[0]] * (m[2][c[1]] * m[3][c[2]] - m[3][c[1]] * m[2][c[2]]) -
           m[1][c[1]] * (m[2][c[0]] * m[3][c[2]] - m[3][c[0]] * m[2][c[2]]) +
           m[1][c[2]] * (m[2][c[0]] * m[3][c[1]] - m[3][c[0]] * m[2][c[1]]);
}

}  // namespace

void Matrix44::SetIdentity() {
    SetZero();
    m[0][0] = m[1][1] = m[2][2] = m[3][3] = 1.0f;
}

void Matrix44::SetZero() {
    for (auto& row : m) {
        for (float& element : row) {
            element = 0.0f;
        }
    }
}

Matrix44 Matrix44::operator*(const Matrix44& b) const {
    // A row at a time: each element of a row of this scales a whole row of b.
    Matrix44 result;
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            result.m[i][j] = m[i][0] * b.m[0][j] + m[i][1] * b.m[1][j] + m[i][2] * b.m[2][j] +
                             m[i][3] * b.m[3][j];
        }
    }
    return result;
}

void Matrix44::Transpose(const Matrix44& source) {
    const Matrix44 copy = source;  // source may be this matrix
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            m[i][j] = copy.m[j][i];
        }
    }
}

void Matrix44::Inverse(Matrix44 source, float* determinant) {
    // Cofactor expansion along row 0.
    float d = 0.0f;
    for (int j = 0; j < 4; ++j) {
        const float sign = (j % 2 == 0) ? 1.0f : -1.0f;
        d += sign * source.m[0][j] * Minor3(source, j);
    }

    if (d == 0.0f) {
        if (determinant != nullptr) {
            *determinant = d;
        }
        return;
    }

    for (int i = 0; i < 4; ++i) {
        Vector4 rows[3];
        for (int r = 0, n = 0; r < 4; ++r) {
            if (r != i) {
                rows[n++] = Row(source, r);
            }
        }
        const Vector4 v = Vector4::Cross(rows[0], rows[1], rows[2]);
        const float s = (i % 2 == 0) ? 1.0f : -1.0f;
        m[0][i] = s * v.x / d;
        m[1][i] = s * v.y / d;
        m[2][i] = s * v.z / d;
        m[3][i] = s * v.w / d;
    }

    if (determinant != nullptr) {
        *determinant = d;
    }
}

void Matrix44::OrthographicProjection(float left, float right, float top, float bottom,
                                      float near_z, float far_z) {
    SetIdentity();
    m[0][0] = 2.0f / (right - left);
    m[3][0] = (left + right) / (left - right);
    m[1][1] = 2.0f / (top - bottom);
    m[3][1] = (top + bottom) / (bottom - top);
    m[2][2] = 1.0f / (far_z - near_z);
    m[3][2] = near_z / (near_z - far_z);
}

void Matrix44::PerspectiveFrustumProjection(float left, float right, float top, float bottom,
                                            float near_z, float far_z) {
    SetZero();
    m[0][0] = 2.0f * near_z / (right - left);
    m[1][1] = 2.0f * near_z / (top - bottom);
    m[2][0] = (left + right) / (right - left);
    m[2][1] = (top + bottom) / (top - bottom);
    m[2][2] = far_z / (near_z - far_z);
    m[2][3] = -1.0f;
    m[3][2] = near_z * far_z / (near_z - far_z);
}

void Matrix44::PerspectiveFovProjection(float fov, float aspect, float near_z, float far_z) {
    const float t = static_cast<float>(std::tan(static_cast<double>(fov) * 0.5)) * near_z;
    const float r = t * aspect;
    PerspectiveFrustumProjection(-r, r, t, -t, near_z, far_z);
}

}  // namespace vela
