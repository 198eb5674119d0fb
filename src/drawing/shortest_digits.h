#pragma once

#include <string>

namespace kymata::number_text {

/// A finite non-negative value as its shortest significant digits d1 d2 ... dk (no trailing
/// zeros, "0" for zero) and the decimal exponent of d1: the value is d1.d2...dk × 10^exponent.
struct Digits {
    std::string digits;
    int exponent = 0;
};

/// The shortest significant digits that read back as exactly `magnitude` (finite, >= 0),
/// reckoned exactly in whole numbers where they hold the value's interval, else found with the
/// C library's `printf` and `strtod`.
Digits ShortestDigits(double magnitude);
Digits ShortestDigits(float magnitude);

} // namespace kymata::number_text
