#include "portable_math.h"

#include "portable_math_names.h"  // the C entry points, checked against their definitions

#include <cstdint>
#include <cstring>
#include <limits>

// Compiled with -ffp-contract=off: a fused multiply-add rounds once where the other
// platforms round twice, and would give other bits.

namespace vela {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kPi = 0x1.921fb54442d18p+1;
constexpr double kHalfPi = 0x1.921fb54442d18p+0;
constexpr double kHalfPiLow = 0x1.1a62633145c07p-54;  // pi/2 - kHalfPi
constexpr double kQuarterPi = 0x1.921fb54442d18p-1;

uint32_t Bits(float x) {
    uint32_t u;
    std::memcpy(&u, &x, sizeof u);
    return u;
}

// The bits of 2/pi after a word of zeros: word w is floor(2/pi * 2^(32w - 1)) mod 2^32, so
// bit p of the table (from the top of word 0) is the fraction's bit p - 32.
constexpr uint32_t kTwoOverPi[] = {0x00000000, 0x517cc1b7, 0x27220a94, 0xfe13abe8, 0xfa9a6ee0,
                                   0x6db14acc, 0x9e21c820, 0xff28b1d5, 0xef5de2b0, 0xdb92371d};

struct Reduced {
    double r;    // |x| - q * pi/2, within [-pi/4, pi/4]
    unsigned q;  // quadrant, mod 4
};

// |x| = m * 2^k with a 24-bit integer m. Bits of 2/pi worth 4 or more once multiplied by
// 2^k only add multiples of 4 (whole turns) to x * 2/pi, so a 128-bit window of the table
// starting there, times m, holds the quadrant and the fraction exactly to 2^-102: the
// nearest float to a multiple of pi/2 is much further away than that.
Reduced ReduceLarge(uint32_t abs_bits) {
    const int k = static_cast<int>(abs_bits >> 23) - 150;
    const uint64_t m = (abs_bits & 0x7fffff) | 0x800000;
    const int start = k + 31;  // table bit of the fraction's bit k - 1
    uint64_t window[4];
    for (int i = 0; i < 4; ++i) {
        const int word = (start + 32 * i) / 32;
        const int shift = (start + 32 * i) % 32;
        uint64_t v = static_cast<uint64_t>(kTwoOverPi[word]) << shift;
        if (shift != 0) {
            v |= kTwoOverPi[word + 1] >> (32 - shift);
        }
        window[i] = v & 0xffffffffu;
    }
    // m * window in five 32-bit limbs, most significant first; the value is that / 2^126.
    uint64_t product[5];
    uint64_t carry = 0;
    for (int i = 3; i >= 0; --i) {
        const uint64_t sum = m * window[i] + carry;
        product[i + 1] = sum & 0xffffffffu;
        carry = sum >> 32;
    }
    product[0] = carry;
    unsigned q = static_cast<unsigned>(product[1] >> 30);
    // The fraction's 126 bits, scaled to 128.
    uint64_t high = ((product[1] & 0x3fffffffu) << 34) | (product[2] << 2) | (product[3] >> 30);
    uint64_t low = (product[3] << 34) | (product[4] << 2);
    bool negative = false;
    if (high >> 63) {  // a half or more: the next quadrant, less the rest
        q += 1;
        negative = true;
        high = ~high;
        low = ~low + 1;
        if (low == 0) {
            high += 1;
        }
    }
    const double fraction =
        static_cast<double>(high) * 0x1p-64 + static_cast<double>(low) * 0x1p-128;
    const double r = fraction * kHalfPi + fraction * kHalfPiLow;
    return {negative ? -r : r, q & 3};
}

// Taylor series to the term below double precision on [-pi/4, pi/4].
double SinKernel(double r) {
    const double r2 = r * r;
    double p = -1.0 / 355687428096000.0;  // -1/17!
    p = p * r2 + 1.0 / 1307674368000.0;
    p = p * r2 - 1.0 / 6227020800.0;
    p = p * r2 + 1.0 / 39916800.0;
    p = p * r2 - 1.0 / 362880.0;
    p = p * r2 + 1.0 / 5040.0;
    p = p * r2 - 1.0 / 120.0;
    p = p * r2 + 1.0 / 6.0;
    return r - r * r2 * p;
}

double CosKernel(double r) {
    const double r2 = r * r;
    double p = 1.0 / 6402373705728000.0;  // 1/18!
    p = p * r2 - 1.0 / 20922789888000.0;
    p = p * r2 + 1.0 / 87178291200.0;
    p = p * r2 - 1.0 / 479001600.0;
    p = p * r2 + 1.0 / 3628800.0;
    p = p * r2 - 1.0 / 40320.0;
    p = p * r2 + 1.0 / 720.0;
    p = p * r2 - 1.0 / 24.0;
    return 1.0 - r2 * 0.5 - r2 * r2 * p;
}

// sin (cosine = false) or cos of x.
double SinOrCos(float x, bool cosine) {
    const uint32_t abs_bits = Bits(x) & 0x7fffffffu;
    if (abs_bits >= 0x7f800000u) {
        return kNaN;
    }
    float abs_x;
    std::memcpy(&abs_x, &abs_bits, sizeof abs_x);
    const double ax = abs_x;
    Reduced reduced{ax, 0};
    if (ax > kQuarterPi) {
        reduced = ReduceLarge(abs_bits);
    }
    unsigned q = reduced.q;
    double sign = 1.0;
    if (cosine) {
        q = (q + 1) & 3;  // cos x = sin(x + pi/2), and cos is even
    } else if (Bits(x) >> 31) {
        sign = -1.0;  // sin -0 is -0
    }
    if (q >= 2) {
        sign = -sign;
    }
    const double v = (q & 1) ? CosKernel(reduced.r) : SinKernel(reduced.r);
    return sign * v;
}

constexpr double kAtanOfEighths[] = {
    0.0,
    0x1.fd5ba9aac2f6ep-4,
    0x1.f5b75f92c80ddp-3,
    0x1.6f61941e4def1p-2,
    0x1.dac670561bb4fp-2,
    0x1.1e00babdefeb4p-1,
    0x1.4978fa3269ee1p-1,
    0x1.700a7c5784634p-1,
    0x1.921fb54442d18p-1,
};

// atan t for t in [0, 1]: atan t = atan c + atan((t - c) / (1 + t c)) with c the nearest
// eighth, which leaves a series argument under 1/16.
double AtanUnit(double t) {
    const int k = static_cast<int>(t * 8.0 + 0.5);
    const double c = k * 0.125;
    const double u = (t - c) / (1.0 + t * c);
    const double u2 = u * u;
    double p = -1.0 / 15.0;
    p = p * u2 + 1.0 / 13.0;
    p = p * u2 - 1.0 / 11.0;
    p = p * u2 + 1.0 / 9.0;
    p = p * u2 - 1.0 / 7.0;
    p = p * u2 + 1.0 / 5.0;
    p = p * u2 - 1.0 / 3.0;
    return kAtanOfEighths[k] + (u + u * u2 * p);
}

}  // namespace

double PortableSin(float x) {
    return SinOrCos(x, false);
}

double PortableCos(float x) {
    return SinOrCos(x, true);
}

double PortableAtan2(float y, float x) {
    if (y != y || x != x) {
        return kNaN;
    }
    const bool y_negative = (Bits(y) >> 31) != 0;
    const bool x_negative = (Bits(x) >> 31) != 0;  // -0 counts: atan2(+0, -0) is pi
    const double ay = y_negative ? -static_cast<double>(y) : static_cast<double>(y);
    const double ax = x_negative ? -static_cast<double>(x) : static_cast<double>(x);
    double a;
    if (ay == 0.0) {
        a = 0.0;
    } else if (ax == kInfinity) {
        a = ay == kInfinity ? kQuarterPi : 0.0;
    } else if (ay == kInfinity || ax == 0.0) {
        a = kHalfPi;
    } else if (ay <= ax) {
        a = AtanUnit(ay / ax);
    } else {
        a = kHalfPi - AtanUnit(ax / ay);
    }
    if (x_negative) {
        a = kPi - a;
    }
    return y_negative ? -a : a;
}

double PortableExp(float x) {
    if (x != x) {
        return kNaN;
    }
    if (x > 89.0f) {
        return kInfinity;
    }
    if (x < -104.0f) {  // under half the smallest float
        return 0.0;
    }
    constexpr double kLn2High = 0x1.62e42fee00000p-1;  // n * kLn2High is exact
    constexpr double kLn2Low = 0x1.a39ef35793c76p-33;
    constexpr double kInverseLn2 = 0x1.71547652b82fep+0;
    const double scaled = x * kInverseLn2;
    const int n = static_cast<int>(scaled < 0.0 ? scaled - 0.5 : scaled + 0.5);
    // x - n * kLn2High is exact: the two agree in all but the last 32 bits.
    const double r = (x - n * kLn2High) - n * kLn2Low;
    double p = 1.0 / 6227020800.0;  // 1/13!
    p = p * r + 1.0 / 479001600.0;
    p = p * r + 1.0 / 39916800.0;
    p = p * r + 1.0 / 3628800.0;
    p = p * r + 1.0 / 362880.0;
    p = p * r + 1.0 / 40320.0;
    p = p * r + 1.0 / 5040.0;
    p = p * r + 1.0 / 720.0;
    p = p * r + 1.0 / 120.0;
    p = p * r + 1.0 / 24.0;
    p = p * r + 1.0 / 6.0;
    p = p * r + 0.5;
    const double e = 1.0 + (r + r * r * p);
    const uint64_t power_bits = static_cast<uint64_t>(n + 1023) << 52;
    double power;
    std::memcpy(&power, &power_bits, sizeof power);
    return e * power;
}

}  // namespace vela

// Box2D's, under -include portable_math_names.h.
extern "C" {
float vela_sinf(float x) {
    return vela::PortableSinf(x);
}
float vela_cosf(float x) {
    return vela::PortableCosf(x);
}
float vela_atan2f(float y, float x) {
    return vela::PortableAtan2f(y, x);
}
float vela_expf(float x) {
    return vela::PortableExpf(x);
}
}
