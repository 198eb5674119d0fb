#include "drawing/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace kymata {

namespace {

/// A finite non-negative value as its shortest significant digits d1 d2 ... dk (no trailing
/// zeros, "0" for zero) and the decimal exponent of d1: the value is d1.d2...dk × 10^exponent.
struct Digits {
    std::string digits;
    int exponent = 0;
};

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

/// Finds the fewest significant digits whose text reads back as `magnitude`. Whatever reads
/// back with p digits reads back with p + 1 (the p-digit numbers are among the (p + 1)-digit
/// ones), so the fewest are found by halving.
template <typename T> Digits ShortestDigits(T magnitude) {
    constexpr int MaxDigits = sizeof(T) == sizeof(float) ? 9 : 17;
    if (magnitude == 0) {
        return {"0", 0};
    }
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
    Digits out;
    out.digits = std::to_string(found.m);
    out.exponent = found.scale + static_cast<int>(out.digits.size()) - 1;
    while (out.digits.size() > 1 && out.digits.back() == '0') {
        out.digits.pop_back();
    }
    return out;
}

std::string FixedText(const Digits& d) {
    const int count = static_cast<int>(d.digits.size());
    std::string out;
    if (d.exponent < 0) {
        out.append("0.").append(static_cast<std::size_t>(-d.exponent - 1), '0').append(d.digits);
    } else if (d.exponent >= count - 1) {
        out.append(d.digits).append(static_cast<std::size_t>(d.exponent - count + 1), '0');
    } else {
        out.append(d.digits, 0, d.exponent + 1).append(1, '.').append(d.digits, d.exponent + 1);
    }
    return out;
}

std::string ScientificText(const Digits& d) {
    std::string out = d.digits.substr(0, 1);
    if (d.digits.size() > 1) {
        out.append(1, '.').append(d.digits, 1);
    }
    char exponent[16];
    std::snprintf(exponent, sizeof exponent, "e%c%02d", d.exponent < 0 ? '-' : '+',
                  std::abs(d.exponent));
    return out + exponent;
}

std::string NonFinite(double x) {
    return std::isnan(x) ? "nan" : (x > 0 ? "inf" : "-inf");
}

/// A whole number too large for every integer near it to be exact in T (2^24 for a float, 2^53
/// for a double): its fixed text is the exact integer, as the standard library writes it.
template <typename T> bool BeyondExactIntegers(T magnitude) {
    return magnitude >= std::ldexp(T(1), std::numeric_limits<T>::digits);
}

template <typename T> std::string Shortest(T x, bool fixedOnly) {
    if (!std::isfinite(x)) {
        return NonFinite(x);
    }
    const T magnitude = std::abs(x);
    const Digits d = ShortestDigits(magnitude);
    std::string text;
    if (BeyondExactIntegers(magnitude)) {
        char exact[400];
        std::snprintf(exact, sizeof exact, "%.0f", static_cast<double>(magnitude));
        text = exact;
    } else {
        text = FixedText(d);
    }
    if (!fixedOnly) {
        std::string scientific = ScientificText(d);
        if (scientific.size() < text.size()) {
            text = std::move(scientific);
        }
    }
    if (std::signbit(x)) {
        text.insert(text.begin(), '-');
    }
    return text;
}

} // namespace

namespace portable {

std::string ShortestText(double x) {
    return Shortest(x, false);
}

std::string ShortestText(float x) {
    return Shortest(x, false);
}

std::string ShortestFixedText(double x) {
    return Shortest(x, true);
}

std::string ShortestFixedText(float x) {
    return Shortest(x, true);
}

} // namespace portable

#if defined(__cpp_lib_to_chars)

namespace {

template <typename T> std::string LibraryText(T x, bool fixed) {
    if (!std::isfinite(x)) {
        return NonFinite(x);
    }
    char text[400];
    const auto written = fixed
                             ? std::to_chars(text, text + sizeof text, x, std::chars_format::fixed)
                             : std::to_chars(text, text + sizeof text, x);
    return std::string(text, written.ptr);
}

} // namespace

std::string ShortestText(double x) {
    return LibraryText(x, false);
}

std::string ShortestText(float x) {
    return LibraryText(x, false);
}

std::string ShortestFixedText(double x) {
    return LibraryText(x, true);
}

std::string ShortestFixedText(float x) {
    return LibraryText(x, true);
}

#else

std::string ShortestText(double x) {
    return portable::ShortestText(x);
}

std::string ShortestText(float x) {
    return portable::ShortestText(x);
}

std::string ShortestFixedText(double x) {
    return portable::ShortestFixedText(x);
}

std::string ShortestFixedText(float x) {
    return portable::ShortestFixedText(x);
}

#endif

} // namespace kymata
