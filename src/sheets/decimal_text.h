// SPDX-License-Identifier: MIT
// Reading numbers out of cell texts the classic C way: leading white space, a sign, digits with an
// optional decimal point, an optional exponent. No "inf", "nan" or hexadecimal forms.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace nuvrel::sheets {

struct ParsedNumber {
  double value = 0.0;
  std::size_t consumed = 0;  // bytes taken from the text; 0 when no number starts it
};

// Reads a decimal floating-point number from the start of the text, as strtod would.
ParsedNumber ParseDecimal(std::string_view text);

// The value when the whole text is one number, else nothing ("" is not a number).
std::optional<double> WholeDecimal(std::string_view text);

struct ParsedInteger {
  long long value = 0;
  std::size_t consumed = 0;
  bool overflow = false;
};

// Reads a signed decimal integer from the start of the text, as strtol would with base 10:
// leading white space and one sign allowed. An empty or blank text reads as 0 with nothing
// consumed.
ParsedInteger ParseInteger(std::string_view text);

// The value printed with a fixed number of decimals, as "%.*f" prints it.
std::string FixedDecimals(double value, int decimals);

}  // namespace nuvrel::sheets
