// SPDX-License-Identifier: MIT
#include "app/format.h"

#include <charconv>

namespace nuvrel::app {
namespace {

std::string Digits(std::uint64_t magnitude) {
  char buffer[24];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude);
  (void)ec;
  return std::string(buffer, end);
}

std::string Number(const FormatArg::Value& value, bool asSigned) {
  bool negative = false;
  std::uint64_t magnitude = 0;
  if (const auto* s = std::get_if<std::int64_t>(&value)) {
    if (asSigned) {
      negative = *s < 0;
      magnitude = negative ? 0 - static_cast<std::uint64_t>(*s) : static_cast<std::uint64_t>(*s);
    } else {
      // %u of a negative int shows its 32-bit unsigned form, as the C library would.
      magnitude = static_cast<std::uint32_t>(*s);
    }
  } else if (const auto* u = std::get_if<std::uint64_t>(&value)) {
    magnitude = *u;
  }
  std::string text = Digits(magnitude);
  return negative ? "-" + text : text;
}

}  // namespace

FormatArg::FormatArg(const std::filesystem::path& v) : m_value(PathText(v)) {}

std::string Format(std::string_view format, std::initializer_list<FormatArg> args) {
  std::string out;
  out.reserve(format.size() + 16);
  const FormatArg* next = args.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c != '%' || i + 1 >= format.size()) {
      out += c;
      continue;
    }
    if (format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    std::size_t j = i + 1;
    bool zeroPad = false;
    if (format[j] == '0') {
      zeroPad = true;
      ++j;
    }
    std::size_t width = 0;
    while (j < format.size() && format[j] >= '0' && format[j] <= '9' && width < 64) {
      width = width * 10 + static_cast<std::size_t>(format[j] - '0');
      ++j;
    }
    if (j >= format.size() || (format[j] != 'd' && format[j] != 'u' && format[j] != 's')) {
      out += c;  // not a placeholder of ours: keep the text as it stands
      continue;
    }
    std::string piece;
    if (next != args.end()) {
      const FormatArg::Value& value = next->Get();
      const bool isText = std::holds_alternative<std::string_view>(value) ||
                          std::holds_alternative<std::string>(value);
      if (format[j] == 's') {
        if (const auto* sv = std::get_if<std::string_view>(&value)) piece = std::string(*sv);
        if (const auto* owned = std::get_if<std::string>(&value)) piece = *owned;
      } else if (!isText) {
        piece = Number(value, format[j] == 'd');
      }
      ++next;
    }
    if (piece.size() < width) {
      std::size_t pad = width - piece.size();
      if (zeroPad && format[j] != 's') {
        std::size_t at = (!piece.empty() && piece[0] == '-') ? 1 : 0;
        piece.insert(at, pad, '0');
      } else {
        piece.insert(0, pad, ' ');
      }
    }
    out += piece;
    i = j;
  }
  return out;
}

}  // namespace nuvrel::app
