#pragma once

#include <cmath>
#include <limits>
#include <numbers>

namespace kymata::waves {

// The wave view's few transcendental functions, built from the four operations and the square
// root alone. IEEE 754 rounds those exactly on every platform, so the desktop (glibc) and the
// web edition (WebAssembly with its own libm) compute the same bits and write the same figure
// document; the C library's functions differ between the two in the last place. Accurate to a
// few units in the last place, which is far below anything the wave view shows or measures.

/// The length sqrt(x² + y²) of the vector (x, y). Scaled by a power of two (exact) where the
/// squares would overflow or lose their digits.
inline double PortableHypot(double x, double y) {
    x = std::abs(x);
    y = std::abs(y);
    if (std::isinf(x) || std::isinf(y)) {
        return std::numeric_limits<double>::infinity();
    }
    const double big = x > y ? x : y;
    if (!(big > 0)) {
        return x + y;
    }
    if (big > 0x1p500 || big < 0x1p-500) {
        const double scale = big > 0x1p500 ? 0x1p-600 : 0x1p600;
        return std::sqrt((x * scale) * (x * scale) + (y * scale) * (y * scale)) / scale;
    }
    return std::sqrt(x * x + y * y);
}

/// The cosine and sine of an angle in radians, for the moderate angles of the wave view
/// (|angle| up to some thousands).
///
/// The angle is reduced by the nearest multiple k of π/2 (with π/2 in two parts, so that the
/// reduced angle keeps its digits) to r in [-π/4, π/4], where the Taylor series of cos r and
/// sin r have fallen below 10⁻¹⁷ after their terms of degree 16 and 17; k mod 4 then turns
/// (cos r, sin r) into place.
struct CosSin {
    double cos;
    double sin;
};
inline CosSin PortableCosSin(double angle) {
    if (!std::isfinite(angle)) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        return {nan, nan};
    }
    constexpr double halfPiHigh = 1.5707963267948965579989817342720925807952880859375;
    constexpr double halfPiLow = 6.123233995736766035868820147291818e-17;
    const double k = std::round(angle / halfPiHigh);
    const double r = (angle - k * halfPiHigh) - k * halfPiLow;
    const double r2 = r * r;
    double c = 1;
    double s = 1;
    for (int m = 8; m >= 1; --m) {
        // cos: the ratio of the terms of degree 2m and 2m - 2; sin: of 2m + 1 and 2m - 1.
        c = 1 - r2 / ((2 * m - 1) * (2 * m)) * c;
        s = 1 - r2 / ((2 * m) * (2 * m + 1)) * s;
    }
    s = r * s;
    const long quadrant = static_cast<long>(std::fmod(k, 4.0) + 4) % 4;
    switch (quadrant) {
    case 0:
        return {c, s};
    case 1:
        return {-s, c};
    case 2:
        return {-c, -s};
    default:
        return {s, -c};
    }
}

/// atan x in radians, in (-π/2, π/2).
///
/// Beyond 1 it is π/2 - atan(1/x). Within, two halvings of the angle, atan x = 2 atan(x / (1 +
/// sqrt(1 + x²))), bring the argument below tan(π/16) ≈ 0.2, where the series x - x³/3 + x⁵/5 -
/// ... has fallen below 10⁻¹⁷ after fourteen terms.
inline double PortableAtan(double x) {
    if (std::isnan(x)) {
        return x;
    }
    if (x < 0) {
        return -PortableAtan(-x);
    }
    if (x > 1) {
        return std::isinf(x) ? std::numbers::pi / 2 : std::numbers::pi / 2 - PortableAtan(1 / x);
    }
    double t = x;
    for (int halving = 0; halving < 2; ++halving) {
        t = t / (1 + std::sqrt(1 + t * t));
    }
    const double t2 = t * t;
    double sum = 0;
    for (int k = 13; k >= 0; --k) {
        sum = (k % 2 == 0 ? 1.0 : -1.0) / (2 * k + 1) + t2 * sum;
    }
    return 4 * t * sum;
}

/// The angle of the vector (x, y) from the positive x axis in radians, in (-π, π], as the C
/// library's atan2 gives it (0 for the zero vector).
inline double PortableAtan2(double y, double x) {
    if (std::isnan(x) || std::isnan(y)) {
        return x + y;
    }
    if (x == 0) {
        return y == 0 ? (std::signbit(x) ? std::copysign(std::numbers::pi, y) : y)
                      : std::copysign(std::numbers::pi / 2, y);
    }
    if (std::isinf(x) && std::isinf(y)) {
        return std::copysign(x > 0 ? std::numbers::pi / 4 : 3 * std::numbers::pi / 4, y);
    }
    if (x > 0) {
        return std::isinf(x) ? std::copysign(0.0, y) : PortableAtan(y / x);
    }
    const double turn = std::signbit(y) ? -std::numbers::pi : std::numbers::pi;
    return std::isinf(x) ? turn : PortableAtan(y / x) + turn;
}

/// asin x in radians, in [-π/2, π/2]; NaN outside [-1, 1]. asin x = atan2(x, sqrt(1 - x²)),
/// with 1 - x² taken as (1 - x)(1 + x) to keep its digits near ±1.
inline double PortableAsin(double x) {
    if (!(std::abs(x) <= 1)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    return PortableAtan2(x, std::sqrt((1 - x) * (1 + x)));
}

} // namespace kymata::waves
