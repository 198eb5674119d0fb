#include "construction/number_format.h"

#include "drawing/number_text.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace kymata {

namespace {

/// Rounds a fixed-point decimal text (digits, optional ".", no sign) half away from zero to
/// `decimals` decimals. One pass over the digits, which are few: it runs for every number a
/// figure writes.
std::string RoundDecimalText(std::string_view text, int decimals) {
    const auto dot = text.find('.');
    const std::size_t wholeCount = dot == std::string_view::npos ? text.size() : dot;
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
    const auto kept = static_cast<std::size_t>(decimals);
    // The whole digits with one leading zero for a carry, then the kept decimals.
    std::string digits;
    digits.reserve(1 + wholeCount + kept);
    digits.push_back('0');
    digits.append(text.substr(0, wholeCount));
    for (std::size_t i = 0; i < kept; ++i) {
        digits.push_back(i < fraction.size() ? fraction[i] : '0');
    }
    if (kept < fraction.size() && fraction[kept] >= '5') {
        std::size_t i = digits.size();
        while (digits[--i] == '9') {
            digits[i] = '0';
        }
        ++digits[i];
    }
    const std::size_t wholeEnd = digits.size() - kept;
    std::size_t start = 0;
    while (start + 1 < wholeEnd && digits[start] == '0') {
        ++start;
    }
    std::string out(digits, start, wholeEnd - start);
    if (decimals > 0) {
        out.push_back('.');
        out.append(digits, wholeEnd, kept);
    }
    return out;
}

template <typename T> std::string FormatShortest(T x, int decimals) {
    if (!std::isfinite(x)) {
        return std::isnan(x) ? "NaN" : (x > 0 ? "Infinity" : "-Infinity");
    }
    std::string rounded = RoundDecimalText(ShortestFixedText(std::abs(x)), decimals);
    const bool zero = rounded.find_first_not_of("0.") == std::string::npos;
    return (x < 0 && !zero) ? "-" + rounded : rounded;
}

} // namespace

double Int(double x) {
    return std::floor(x);
}

std::string Format(double x, int decimals) {
    return FormatShortest(x, decimals);
}

std::string Format(float x, int decimals) {
    return FormatShortest(x, decimals);
}

std::string PlainNumber(double x) {
    if (!std::isfinite(x)) {
        return FormatShortest(x, 0);
    }
    const std::string text = ShortestFixedText(x);
    return text == "-0" ? "0" : text;
}

} // namespace kymata
