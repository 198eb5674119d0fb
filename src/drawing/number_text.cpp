#include "drawing/number_text.h"

#include "drawing/shortest_digits.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace kymata {

namespace {

using number_text::Digits;
using number_text::ShortestDigits;

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
    // "e+05", "e-07", "e+308": the sign and at least two digits, as the library writes it.
    const int magnitude = std::abs(d.exponent);
    out.append(1, 'e').append(1, d.exponent < 0 ? '-' : '+');
    if (magnitude >= 100) {
        out.append(1, static_cast<char>('0' + magnitude / 100));
    }
    out.append(1, static_cast<char>('0' + magnitude / 10 % 10));
    out.append(1, static_cast<char>('0' + magnitude % 10));
    return out;
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
