#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "vela/maths/portable_math.h"

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

float FromBits(uint32_t u) {
    float f;
    std::memcpy(&f, &u, sizeof f);
    return f;
}

uint32_t BitsOf(float f) {
    uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

// Every finite float with a stride, both signs, then the hard ones: the floats nearest a
// multiple of pi/2 (those with the fewest bits left once reduced, found by continued
// fractions of 2/pi) and their neighbours, the largest and the subnormal.
std::vector<float> Arguments() {
    std::vector<float> xs;
    for (uint32_t u = 0; u < 0x7f800000u; u += 4099) {
        xs.push_back(FromBits(u));
        xs.push_back(-FromBits(u));
    }
    for (float hard :
         {0x1.f37c8ap+95f, 0x1.47d0fep+34f, 0x1.f9cbe2p+7f, 0x1.32ede2p+85f, 0x1.628d4cp+40f,
          0x1.130930p+76f, 0x1.b08c4ap+111f, 0x1.921fb6p+0f, 0x1.921fb6p+1f, 0x1.2d97c8p+2f,
          0x1.921fb6p+2f, 0x1.fffffep+127f, 0x1p-149f, 0x1.fffffcp-127f, 0x1p-126f}) {
        for (float x : {hard, std::nextafter(hard, 0.0f), std::nextafter(hard, kInf)}) {
            if (std::isfinite(x)) {
                xs.push_back(x);
                xs.push_back(-x);
            }
        }
    }
    return xs;
}

// |got - truth| in units of the last place of the float nearest truth.
double UlpError(float got, double truth) {
    if (std::isinf(static_cast<float>(truth))) {
        return got == static_cast<float>(truth) ? 0.0 : kInf;
    }
    int exponent;
    std::frexp(truth, &exponent);
    const double ulp = std::ldexp(1.0, std::max(exponent - 24, -149));
    return std::fabs(static_cast<double>(got) - truth) / ulp;
}

TEST(PortableMath, RoundsTheTrueValueToTheNearestFloat) {
#ifndef __GLIBC__
    GTEST_SKIP() << "glibc's double functions are the reference, correctly rounded for any "
                    "argument; other C libraries' are not";
#endif
    // Half an ulp and a hair: the double result's own error may tip a float halfway case.
    constexpr double kLimit = 0.5 + 1e-6;
    const std::vector<float> xs = Arguments();
    for (uint64_t i = 0; i < xs.size(); ++i) {
        const float x = xs[i];
        const float y = xs[(i * 7919) % xs.size()];
        ASSERT_LE(UlpError(vela::PortableSinf(x), std::sin(double(x))), kLimit)
            << std::hexfloat << x;
        ASSERT_LE(UlpError(vela::PortableCosf(x), std::cos(double(x))), kLimit)
            << std::hexfloat << x;
        ASSERT_LE(UlpError(vela::PortableExpf(x), std::exp(double(x))), kLimit)
            << std::hexfloat << x;
        ASSERT_LE(UlpError(vela::PortableAtan2f(y, x), std::atan2(double(y), double(x))), kLimit)
            << std::hexfloat << y << ", " << x;
    }
}

TEST(PortableMath, SpecialValuesAsTheCStandardHasThem) {
    const auto same = [](float got, float expected) {
        return std::isnan(expected) ? std::isnan(got) : BitsOf(got) == BitsOf(expected);
    };
    for (float zero : {0.0f, -0.0f}) {
        EXPECT_TRUE(same(vela::PortableSinf(zero), zero));
        EXPECT_EQ(vela::PortableCosf(zero), 1.0f);
        EXPECT_EQ(vela::PortableExpf(zero), 1.0f);
    }
    for (float x : {kInf, -kInf, kNaN}) {
        EXPECT_TRUE(std::isnan(vela::PortableSinf(x)));
        EXPECT_TRUE(std::isnan(vela::PortableCosf(x)));
    }
    EXPECT_EQ(vela::PortableExpf(kInf), kInf);
    EXPECT_TRUE(same(vela::PortableExpf(-kInf), 0.0f));
    EXPECT_TRUE(std::isnan(vela::PortableExpf(kNaN)));
    EXPECT_EQ(vela::PortableExpf(89.0f), kInf);
    EXPECT_EQ(vela::PortableExpf(-104.0f), 0.0f);

    // atan2 on the signed zeros and infinities: the quadrant comes from the signs.
    const float pi = 0x1.921fb6p+1f, half = 0x1.921fb6p+0f, quarter = 0x1.921fb6p-1f;
    const float three_quarters = 0x1.2d97c8p+1f;
    struct Case {
        float y, x, expected;
    };
    const Case cases[] = {
        {0.0f, 0.0f, 0.0f},     {0.0f, -0.0f, pi},     {-0.0f, -0.0f, -pi},
        {-0.0f, 1.0f, -0.0f},   {0.0f, -1.0f, pi},     {1.0f, 0.0f, half},
        {-1.0f, -0.0f, -half},  {kInf, kInf, quarter}, {kInf, -kInf, three_quarters},
        {-kInf, 5.0f, -half},   {1.0f, kInf, 0.0f},    {-1.0f, -kInf, -pi},
        {kNaN, 1.0f, kNaN},     {1.0f, kNaN, kNaN},    {0x1p-149f, 0x1p+127f, 0.0f},
        {0x1p-149f, -1.0f, pi}, {1.0f, 1.0f, quarter}, {-1.0f, -1.0f, -three_quarters},
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(same(vela::PortableAtan2f(c.y, c.x), c.expected))
            << std::hexfloat << c.y << ", " << c.x << " gave " << vela::PortableAtan2f(c.y, c.x);
    }
}

// The point of the functions: this runs in the Linux, Windows and browser trees, and each
// must come to the hash the Linux tree recorded, over the double results the game uses.
// Any change to the functions' arithmetic changes it, and then the recorded one with it.
TEST(PortableMath, SameBitsOnEveryPlatform) {
    uint64_t hash = 14695981039346656037u;  // FNV-1a
    const auto add = [&hash](double v) {
        uint64_t u;
        std::memcpy(&u, &v, sizeof u);
        for (int i = 0; i < 8; ++i) {
            hash = (hash ^ ((u >> (8 * i)) & 0xff)) * 1099511628211u;
        }
    };
    const std::vector<float> xs = Arguments();
    for (uint64_t i = 0; i < xs.size(); ++i) {  // 64 bits, for the same pairs on wasm32
        add(vela::PortableSin(xs[i]));
        add(vela::PortableCos(xs[i]));
        add(vela::PortableExp(xs[i]));
        add(vela::PortableAtan2(xs[(i * 7919) % xs.size()], xs[i]));
    }
    EXPECT_EQ(hash, 0xf736508e8dac7845u) << std::hex << hash;
}

}  // namespace
