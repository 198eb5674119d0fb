#include "drawing/shortest_digits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <type_traits>

namespace kymata::number_text {

namespace {

template <typename T> T ReadBack(const char* text);
template <> double ReadBack<double>(const char* text) {
    return std::strtod(text, nullptr);
}
template <> float ReadBack<float>(const char* text) {
    return std::strtof(text, nullptr);
}

/// A decimal m × 10^scale with m a whole number.
struct Decimal {
    unsigned long long m = 0;
    int scale = 0;
};

/// The significant digits of a decimal, without trailing zeros, and the exponent of the first.
Digits DigitsOf(const Decimal& d) {
    Digits out;
    out.digits = std::to_string(d.m);
    out.exponent = d.scale + static_cast<int>(out.digits.size()) - 1;
    while (out.digits.size() > 1 && out.digits.back() == '0') {
        out.digits.pop_back();
    }
    return out;
}

/// The p-digit decimal nearest to `magnitude` whose text reads back as `magnitude`, if any.
///
/// `printf` rounds correctly and `strtod`/`strtof` read correctly, on every C library this
/// program is built with, so no floating-point `to_chars` is needed. The correctly rounded
/// p-digit decimal is the nearest; it fails to read back while a neighbour succeeds only where
/// the value is a power of two, whose neighbours in T lie closer below than above. There the
/// neighbour one unit in the last digit above or below (at most one of them) reads back.
template <typename T> std::optional<Decimal> ReadingBack(T magnitude, int precision) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", precision - 1, static_cast<double>(magnitude));
    const std::string_view written(text);
    const auto e = written.find('e');
    Decimal nearest;
    for (const char c : written.substr(0, e)) {
        if (c != '.') {
            nearest.m = nearest.m * 10 + static_cast<unsigned>(c - '0');
        }
    }
    nearest.scale = std::atoi(text + e + 1) - (precision - 1);
    for (const long long step : {0LL, 1LL, -1LL}) {
        const Decimal candidate{nearest.m + static_cast<unsigned long long>(step), nearest.scale};
        char decimal[64];
        std::snprintf(decimal, sizeof decimal, "%llue%d", candidate.m, candidate.scale);
        if (ReadBack<T>(decimal) == magnitude) {
            return candidate;
        }
    }
    return std::nullopt;
}

/// The fewest digits found by the C library alone: halving between 1 and all digits, since
/// whatever reads back with p digits reads back with p + 1 (the p-digit numbers are among the
/// (p + 1)-digit ones). A few microseconds a number; `ExactShortestDigits` spares it nearly always.
template <typename T> Digits LibraryShortestDigits(T magnitude) {
    constexpr int MaxDigits = sizeof(T) == sizeof(float) ? 9 : 17;
    int fewest = 1;
    int most = MaxDigits;
    while (fewest < most) {
        const int middle = (fewest + most) / 2;
        if (ReadingBack(magnitude, middle)) {
            most = middle;
        } else {
            fewest = middle + 1;
        }
    }
    const Decimal found = ReadingBack(magnitude, fewest).value_or(Decimal{});
    return DigitsOf(found);
}

/// The value with the bit pattern of `from` (the library's `std::bit_cast`, which Emscripten's
/// libc++ lacks).
template <typename To, typename From> To BitCast(From from) {
    static_assert(sizeof(To) == sizeof(From));
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

// A GNU extension, which both compilers of this program (g++, and clang for WebAssembly) have.
__extension__ using Wide = unsigned __int128;

/// 10^k in the integer type I, for every k whose power fits (k <= 19 in 64 bits, 38 in 128).
template <typename I> constexpr int MostPowerOfTen = sizeof(I) == 8 ? 19 : 38;
template <typename I>
constexpr std::array<I, MostPowerOfTen<I> + 1> PowersOfTen = [] {
    std::array<I, MostPowerOfTen<I> + 1> powers{};
    I p = 1;
    for (I& power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}();

/// The number of significant bits of a.
template <typename I> int BitLength(I a) {
    if constexpr (sizeof(I) == 8) {
        return 64 - std::countl_zero(static_cast<std::uint64_t>(a));
    } else {
        const auto high = static_cast<std::uint64_t>(a >> 64);
        return high != 0 ? 128 - std::countl_zero(high)
                         : 64 - std::countl_zero(static_cast<std::uint64_t>(a));
    }
}

/// a × b, or empty where it might not fit in I (their bit lengths add up beyond its width).
template <typename I> std::optional<I> Times(I a, I b) {
    if (BitLength(a) + BitLength(b) > static_cast<int>(8 * sizeof(I))) {
        return std::nullopt;
    }
    return a * b;
}

/// a × 2^k (k >= 0), or empty where it does not fit in I.
template <typename I> std::optional<I> Shifted(I a, int k) {
    if (k > 0 && BitLength(a) + k > static_cast<int>(8 * sizeof(I))) {
        return std::nullopt;
    }
    return a << k;
}

/// 10^k in I, or empty where it does not fit.
template <typename I> std::optional<I> PowerOfTen(int k) {
    if (k < 0 || k > MostPowerOfTen<I>) {
        return std::nullopt;
    }
    return PowersOfTen<I>[k];
}

/// A positive finite value exactly as an integer multiple of a power of two, with the interval
/// of reals that read back as it: value = 4m × 2^unit, its neighbours' midpoints low × 2^unit
/// and high × 2^unit, themselves included when m is even (a tie reads back as the even one).
/// Below a power of two the neighbour lies twice as close as above.
struct Binary {
    std::uint64_t m;
    int unit;
    std::uint64_t low;
    std::uint64_t high;
    bool closed;
};

template <typename T> Binary BinaryOf(T magnitude) {
    using Bits = std::conditional_t<sizeof(T) == sizeof(float), std::uint32_t, std::uint64_t>;
    constexpr int FractionBits = std::numeric_limits<T>::digits - 1;
    constexpr int Bias = std::numeric_limits<T>::max_exponent - 1;
    const auto bits = BitCast<Bits>(magnitude);
    const std::uint64_t fraction = bits & ((Bits(1) << FractionBits) - 1);
    const int field = static_cast<int>(bits >> FractionBits);
    Binary b{};
    b.m = field == 0 ? fraction : fraction | (std::uint64_t(1) << FractionBits);
    const int exponent = (field == 0 ? 1 : field) - Bias - FractionBits;
    b.unit = exponent - 2;
    b.high = 4 * b.m + 2;
    b.low = 4 * b.m - (fraction == 0 && field > 1 ? 1 : 2);
    b.closed = b.m % 2 == 0;
    return b;
}

/// x × 2^unit / 10^q as a whole part and whether it is exact, or empty where the reckoning
/// does not fit in I.
template <typename I> struct Quotient {
    I whole;
    I remainder;
    I divisor;
};
template <typename I> std::optional<Quotient<I>> Divide(I x, int unit, int q) {
    const std::optional<I> scale = PowerOfTen<I>(q >= 0 ? q : -q);
    if (!scale) {
        return std::nullopt;
    }
    if (unit <= 0 && q <= 0 && unit > -static_cast<int>(8 * sizeof(I))) {
        // The usual case, a value below 10^17 or so: a product and a shift, no division (which
        // costs much more than both in 128 bits).
        const std::optional<I> numerator = Times(x, *scale);
        if (!numerator) {
            return std::nullopt;
        }
        const I divisor = I(1) << -unit;
        return Quotient<I>{*numerator >> -unit, *numerator & (divisor - 1), divisor};
    }
    std::optional<I> numerator = Shifted(x, std::max(unit, 0));
    std::optional<I> denominator = Shifted(I(1), std::max(-unit, 0));
    if (!numerator || !denominator) {
        return std::nullopt;
    }
    if (q < 0) {
        numerator = Times(*numerator, *scale);
    } else {
        denominator = Times(*denominator, *scale);
    }
    if (!numerator || !denominator) {
        return std::nullopt;
    }
    return Quotient<I>{*numerator / *denominator, *numerator % *denominator, *denominator};
}

/// The fewest digits that read back as `magnitude`, reckoned exactly in the unsigned integers
/// I on the interval of reals that round to it (`Binary`).
///
/// In units of 10^q, with q chosen so that the interval spans many units, the decimals that
/// read back are the whole numbers a..b. The fewest digits belong to the largest k for which a
/// multiple of 10^k lies in a..b; of those multiples the one nearest the value is taken, the
/// even one on a tie. Empty where the reckoning does not fit in I.
template <typename T, typename I> std::optional<Digits> ExactShortestDigits(const Binary& b) {
    constexpr int MaxDigits = sizeof(T) == sizeof(float) ? 9 : 17;
    const int binaryDigits = 64 - std::countl_zero(b.m);
    // The decimal exponent of the value, from log10(2) = 0.30103: exact or one too low. Whole
    // numbers of MaxDigits + 1 or MaxDigits + 2 digits (at most 19, so 64 bits hold them) then
    // resolve the interval ten times over at least.
    const int e =
        static_cast<int>(std::floor((b.unit + 2 + binaryDigits - 1) * 0.30102999566398120));
    const int q = e - MaxDigits;
    const auto low = Divide<I>(b.low, b.unit, q);
    const auto high = Divide<I>(b.high, b.unit, q);
    if (!low || !high || (high->whole >> 63) != 0) {
        return std::nullopt;
    }
    // The least whole number above low (at it when closed) and the greatest below high.
    const auto first =
        static_cast<std::uint64_t>(low->whole + ((low->remainder != 0 || !b.closed) ? 1 : 0));
    const auto last =
        static_cast<std::uint64_t>(high->whole - ((high->remainder == 0 && !b.closed) ? 1 : 0));
    if (first > last) {
        return std::nullopt;
    }
    int k = 0;
    std::uint64_t unit = 1;
    while (unit <= last / 10 && (last / (unit * 10)) * (unit * 10) >= first) {
        ++k;
        unit *= 10;
    }
    const std::uint64_t least = (first + unit - 1) / unit;
    const std::uint64_t most = last / unit;
    const auto value = Divide<I>(I(4) * b.m, b.unit, q + k);
    if (!value) {
        return std::nullopt;
    }
    auto nearest = static_cast<std::uint64_t>(value->whole);
    const I twice = 2 * value->remainder;
    if (twice > value->divisor || (twice == value->divisor && nearest % 2 == 1)) {
        ++nearest;
    }
    nearest = std::clamp(nearest, least, most);
    return DigitsOf(Decimal{nearest, q + k});
}

template <typename T> Digits ShortestDigitsOf(T magnitude) {
    if (magnitude == 0) {
        return {"0", 0};
    }
    // 64-bit integers hold the reckoning for nearly every single-precision value of a figure
    // and are fast everywhere; 128 bits hold it for the rest but beyond about 10^±20.
    const Binary b = BinaryOf(magnitude);
    if (const std::optional<Digits> exact = ExactShortestDigits<T, std::uint64_t>(b)) {
        return *exact;
    }
    if (const std::optional<Digits> exact = ExactShortestDigits<T, Wide>(b)) {
        return *exact;
    }
    return LibraryShortestDigits(magnitude);
}

} // namespace

Digits ShortestDigits(double magnitude) {
    return ShortestDigitsOf(magnitude);
}

Digits ShortestDigits(float magnitude) {
    return ShortestDigitsOf(magnitude);
}

} // namespace kymata::number_text
