#include "drawing/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
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

/// Finds the fewest significant digits whose correctly rounded text reads back as `magnitude`.
/// `printf` rounds correctly and `strtod`/`strtof` read correctly, on every C library this
/// program is built with, so no floating-point `to_chars` is needed.
template <typename T> Digits ShortestDigits(T magnitude) {
    constexpr int MaxDigits = sizeof(T) == sizeof(float) ? 9 : 17;
    char text[64];
    for (int precision = 1;; ++precision) {
        std::snprintf(text, sizeof text, "%.*e", precision - 1, static_cast<double>(magnitude));
        if (precision == MaxDigits || ReadBack<T>(text) == magnitude) {
            break;
        }
    }
    const std::string_view written(text);
    const auto e = written.find('e');
    Digits out;
    for (const char c : written.substr(0, e)) {
        if (c != '.') {
            out.digits += c;
        }
    }
    while (out.digits.size() > 1 && out.digits.back() == '0') {
        out.digits.pop_back();
    }
    out.exponent = std::atoi(text + e + 1);
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

} // namespace kymata
