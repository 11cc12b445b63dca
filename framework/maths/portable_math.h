#pragma once

// Trigonometry and exp that give the same bits on every platform the framework runs on.
// The C libraries round their float functions differently (glibc, mingw's and Emscripten's
// musl disagree in the last bit for about one input in two hundred), which is enough for
// chaotic physics to drift apart. These use only IEEE double +, -, * and / (and integer
// arithmetic), so every compiler and machine computes the same result.
//
// The double results are within a few double ulps of the true value; the float ones are
// within one float ulp (almost always the correctly rounded float). Any float argument is
// reduced exactly, however large.

namespace vela {

double PortableSin(float x);
double PortableCos(float x);
double PortableAtan2(float y, float x);
double PortableExp(float x);

inline float PortableSinf(float x) {
    return static_cast<float>(PortableSin(x));
}
inline float PortableCosf(float x) {
    return static_cast<float>(PortableCos(x));
}
inline float PortableAtan2f(float y, float x) {
    return static_cast<float>(PortableAtan2(y, x));
}
inline float PortableExpf(float x) {
    return static_cast<float>(PortableExp(x));
}

}  // namespace vela
