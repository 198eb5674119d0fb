#pragma once

#include <string>

namespace kymata {

/// The shortest decimal text that reads back as exactly `x`: fixed notation or, where that is
/// shorter, scientific ("1e-07"), fixed on a tie. "-0" for negative zero; non-finite values are
/// the caller's concern (the text is then "nan", "inf" or "-inf").
std::string ShortestText(double x);
/// The same for a single-precision value: the shortest text that reads back as the same float.
std::string ShortestText(float x);

/// The shortest digits that read back as exactly `x`, always in fixed notation (no exponent):
/// 1.5, 0.0001, 100000. Non-finite values give "nan", "inf" or "-inf".
std::string ShortestFixedText(double x);
/// The same for a single-precision value.
std::string ShortestFixedText(float x);

/// The same four texts made with `printf` and `strtod` alone, for C++ libraries without a
/// floating-point `std::to_chars` (as Emscripten's); where the library has one, the functions
/// above use it, and these give the same bytes.
namespace portable {
std::string ShortestText(double x);
std::string ShortestText(float x);
std::string ShortestFixedText(double x);
std::string ShortestFixedText(float x);
} // namespace portable

} // namespace kymata
