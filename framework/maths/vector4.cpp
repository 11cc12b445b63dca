#include "vela/maths/vector4.h"

namespace vela {

void Vector4::SetFromPackedColour(uint32_t packed) {
    // Multiply by the float 1/255 rather than divide: the stored values depend on it.
    const float scale = 1.0f / 255.0f;
    x = static_cast<float>(packed & 0xFFu) * scale;
    y = static_cast<float>((packed >> 8) & 0xFFu) * scale;
    z = static_cast<float>((packed >> 16) & 0xFFu) * scale;
    w = static_cast<float>((packed >> 24) & 0xFFu) * scale;
}

Vector4 Vector4::Cross(const Vector4& a, const Vector4& b, const Vector4& c) {
    Vector4 r;
    r.x = a.y * (b.z * c.w - c.z * b.w) - a.z * (b.y * c.w - c.y * b.w) +
          a.w * (b.y * c.z - c.y * b.z);
    r.y = -(a.x * (b.z * c.w - c.z * b.w) - a.z * (b.x * c.w - c.x * b.w) +
            a.w * (b.x * c.z - c.x * b.z));
    r.z = a.x * (b.y * c.w - c.y * b.w) - a.y * (b.x * c.w - c.x * b.w) +
          a.w * (b.x * c.y - c.x * b.y);
    r.w = -(a.x * (b.y * c.z - c.y * b.z) - a.y * (b.x * c.z - c.x * b.z) +
            a.z * (b.x * c.y - c.x * b.y));
    return r;
}

}  // namespace vela
