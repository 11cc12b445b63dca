#include "shapes.h"

#include <cmath>

namespace {

void Cross(const float a[3], const float b[3], float out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

void Normalise(float v[3]) {
    const float length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    if (length > 0.0f) {
        for (int i = 0; i < 3; ++i) {
            v[i] /= length;
        }
    }
}

float Dot(const float a[3], const float b[3]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// One face: `right` and `up` as seen from outside, their cross product the normal.
void AddFace(const float right[3], const float up[3], std::vector<LitVertex>& vertices,
             std::vector<uint32_t>& indices) {
    float normal[3];
    Cross(right, up, normal);
    const uint32_t first = static_cast<uint32_t>(vertices.size());
    // Top-left, top-right, bottom-right, bottom-left.
    const float corners[4][4] = {{-1, 1, 0, 0}, {1, 1, 1, 0}, {1, -1, 1, 1}, {-1, -1, 0, 1}};
    for (const auto& c : corners) {
        LitVertex v;
        for (int i = 0; i < 3; ++i) {
            v.position[i] = normal[i] + c[0] * right[i] + c[1] * up[i];
            v.normal[i] = normal[i];
        }
        v.uv[0] = c[2];
        v.uv[1] = c[3];
        vertices.push_back(v);
    }
    for (uint32_t i : {0u, 1u, 2u, 0u, 2u, 3u}) {
        indices.push_back(first + i);
    }
}

}  // namespace

CubeGeometry BuildCube() {
    CubeGeometry cube;
    const float x[3] = {1, 0, 0}, y[3] = {0, 1, 0}, z[3] = {0, 0, 1};
    const float nx[3] = {-1, 0, 0}, nz[3] = {0, 0, -1};
    AddFace(x, y, cube.vertices, cube.side_indices);   // front, +z
    AddFace(nz, y, cube.vertices, cube.side_indices);  // right, +x
    AddFace(nx, y, cube.vertices, cube.side_indices);  // back, -z
    AddFace(z, y, cube.vertices, cube.side_indices);   // left, -x
    AddFace(x, nz, cube.vertices, cube.cap_indices);   // top, +y
    AddFace(x, z, cube.vertices, cube.cap_indices);    // bottom, -y
    return cube;
}

TubeGeometry BuildTube(float length, float radius, int rings, int segments, float blend) {
    TubeGeometry tube;
    for (int i = 0; i <= rings; ++i) {
        const float along = static_cast<float>(i) / rings;
        const float x = (along - 0.5f) * length;
        // 0 on the left of the blend zone, 1 on the right.
        float right = blend > 0.0f ? (x + blend * 0.5f) / blend : (x >= 0.0f ? 1.0f : 0.0f);
        right = std::fmin(std::fmax(right, 0.0f), 1.0f);
        for (int j = 0; j <= segments; ++j) {
            const float around = static_cast<float>(j) / segments;
            const float angle = around * 6.2831853f;
            const float c = std::cos(angle), s = std::sin(angle);
            SkinnedVertex v;
            v.position[0] = x;
            v.position[1] = radius * c;
            v.position[2] = radius * s;
            v.normal[0] = 0.0f;
            v.normal[1] = c;
            v.normal[2] = s;
            v.bone_indices = 0u | 1u << 8;
            v.weights[0] = 1.0f - right;
            v.weights[1] = right;
            v.weights[2] = v.weights[3] = 0.0f;
            v.uv[0] = along * 4.0f;
            v.uv[1] = around * 2.0f;
            tube.vertices.push_back(v);
        }
    }
    // Going along x and then down the front: clockwise as seen from outside.
    const uint32_t row = static_cast<uint32_t>(segments + 1);
    for (uint32_t i = 0; i < static_cast<uint32_t>(rings); ++i) {
        for (uint32_t j = 0; j < static_cast<uint32_t>(segments); ++j) {
            const uint32_t a = i * row + j, b = (i + 1) * row + j;
            const uint32_t c = b + 1, d = a + 1;
            for (uint32_t k : {a, b, c, a, c, d}) {
                tube.indices.push_back(k);
            }
        }
    }
    return tube;
}

vela::Matrix44 Translation(float x, float y, float z) {
    vela::Matrix44 m;
    m.SetIdentity();
    m.m[3][0] = x;
    m.m[3][1] = y;
    m.m[3][2] = z;
    return m;
}

vela::Matrix44 RotationX(float angle) {
    vela::Matrix44 m;
    m.SetIdentity();
    const float c = std::cos(angle), s = std::sin(angle);
    m.m[1][1] = c;
    m.m[1][2] = s;
    m.m[2][1] = -s;
    m.m[2][2] = c;
    return m;
}

vela::Matrix44 RotationY(float angle) {
    vela::Matrix44 m;
    m.SetIdentity();
    const float c = std::cos(angle), s = std::sin(angle);
    m.m[0][0] = c;
    m.m[0][2] = -s;
    m.m[2][0] = s;
    m.m[2][2] = c;
    return m;
}

vela::Matrix44 RotationZ(float angle) {
    vela::Matrix44 m;
    m.SetIdentity();
    const float c = std::cos(angle), s = std::sin(angle);
    m.m[0][0] = c;
    m.m[0][1] = s;
    m.m[1][0] = -s;
    m.m[1][1] = c;
    return m;
}

vela::Matrix44 LookAt(const float eye[3], const float target[3]) {
    float forward[3] = {target[0] - eye[0], target[1] - eye[1], target[2] - eye[2]};
    Normalise(forward);
    const float world_up[3] = {0, 1, 0};
    float right[3], up[3];
    Cross(forward, world_up, right);
    Normalise(right);
    Cross(right, forward, up);
    // The camera looks down its own -z.
    vela::Matrix44 view;
    view.SetIdentity();
    for (int i = 0; i < 3; ++i) {
        view.m[i][0] = right[i];
        view.m[i][1] = up[i];
        view.m[i][2] = -forward[i];
    }
    view.m[3][0] = -Dot(right, eye);
    view.m[3][1] = -Dot(up, eye);
    view.m[3][2] = Dot(forward, eye);
    return view;
}
