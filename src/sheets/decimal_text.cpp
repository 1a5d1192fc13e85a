// SPDX-License-Identifier: MIT
#include "sheets/decimal_text.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace nuvrel::sheets {
namespace {

bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

ParsedNumber ParseDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  const std::size_t signAt = i;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  const std::size_t digitsAt = i;
  std::size_t mantissaDigits = 0;
  while (i < text.size() && IsDigit(text[i])) {
    ++i;
    ++mantissaDigits;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      ++i;
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return {};
  // An exponent counts only when digits follow it; "1e" reads as 1 followed by "e".
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      i = j;
    }
  }
  // from_chars takes neither a leading '+' nor white space; the grammar is already checked.
  double value = 0.0;
  const char* first = text.data() + digitsAt;
  const char* last = text.data() + i;
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Beyond a double: as strtod, infinity for a huge value and zero for a tiny one.
    const std::string_view number(first, static_cast<std::size_t>(last - first));
    const std::size_t e = number.find_first_of("eE");
    const bool exponentNegative = e != std::string_view::npos && number[e + 1] == '-';
    const std::string_view integerPart = number.substr(0, std::min(e, number.find('.')));
    const bool integerNonZero = integerPart.find_first_of("123456789") != std::string_view::npos;
    const bool huge = !exponentNegative && (integerNonZero || e != std::string_view::npos);
    value = huge ? std::numeric_limits<double>::infinity() : 0.0;
  }
  if (text[signAt] == '-') value = -value;
  return {value, i};
}

std::optional<double> WholeDecimal(std::string_view text) {
  const ParsedNumber n = ParseDecimal(text);
  if (n.consumed == 0 || n.consumed != text.size()) return std::nullopt;
  return n.value;
}

ParsedInteger ParseInteger(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i >= text.size() || !IsDigit(text[i])) {
    // No number: nothing is consumed, as strtol leaves its end pointer at the start. A text of
    // white space alone therefore reads as 0 with the white space not consumed.
    return {0, 0, false};
  }
  ParsedInteger result;
  unsigned long long magnitude = 0;
  const unsigned long long limit = negative ? 9223372036854775808ULL : 9223372036854775807ULL;
  while (i < text.size() && IsDigit(text[i])) {
    const auto digit = static_cast<unsigned long long>(text[i] - '0');
    if (magnitude > (limit - digit) / 10) {
      result.overflow = true;
      magnitude = limit;
    } else if (!result.overflow) {
      magnitude = magnitude * 10 + digit;
    }
    ++i;
  }
  result.consumed = i;
  if (negative) {
    result.value = magnitude == 9223372036854775808ULL ? std::numeric_limits<long long>::min()
                                                       : -static_cast<long long>(magnitude);
  } else {
    result.value = static_cast<long long>(magnitude);
  }
  return result;
}

std::string FixedDecimals(double value, int decimals) {
  // Big enough for the largest double with its 309 integer digits.
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
  if (result.ec != std::errc()) return {};
  return std::string(buffer, result.ptr);
}

}  // namespace nuvrel::sheets
