#pragma once

#include <string>

namespace kymata {

/// The largest integer not above x (floor), as a double so that it never overflows.
double Int(double x);

/// x with `decimals` decimals (0, 1 or 2: the patterns "0", "0.0" and "0.00"), rounded half
/// away from zero on its shortest decimal form, "." as separator, "-" for negative values.
std::string Format(double x, int decimals);
/// The same for a single-precision value, rounded on the single's own shortest decimal form.
std::string Format(float x, int decimals);

/// The plain form: the shortest text that reads back as the same number (1.5, 1.05, 2, 20).
std::string PlainNumber(double x);

} // namespace kymata
