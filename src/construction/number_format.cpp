#include "construction/number_format.h"

#include "drawing/number_text.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace kymata {

namespace {

/// Rounds a fixed-point decimal text (digits, optional ".", no sign) half away from zero to
/// `decimals` decimals.
std::string RoundDecimalText(std::string_view text, int decimals) {
    const auto dot = text.find('.');
    std::string whole(text.substr(0, dot));
    std::string fraction = dot == std::string_view::npos ? "" : std::string(text.substr(dot + 1));
    fraction.resize(std::max<std::size_t>(fraction.size(), decimals + 1), '0');
    const bool up = fraction[decimals] >= '5';
    std::string digits = whole + fraction.substr(0, decimals);
    if (up) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[i] == '9') {
            digits[i--] = '0';
        }
        if (i < 0) {
            digits.insert(digits.begin(), '1');
        } else {
            ++digits[i];
        }
    }
    const std::size_t wholeDigits = digits.size() - decimals;
    std::string out = digits.substr(0, wholeDigits);
    const auto first = out.find_first_not_of('0');
    out = first == std::string::npos ? "0" : out.substr(first);
    if (decimals > 0) {
        out += '.';
        out += digits.substr(wholeDigits);
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
