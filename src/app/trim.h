// SPDX-License-Identifier: MIT
// Cutting blanks off the ends of a piece of text.
#pragma once

#include <string_view>

namespace nuvrel::app {

// Blanks and tabs: what surrounds a name or a value in the settings file and the manifest.
inline constexpr std::string_view kBlanks = " \t";

// The text without the characters of `strip` at either end.
constexpr std::string_view Trim(std::string_view text, std::string_view strip = kBlanks) {
  const std::size_t first = text.find_first_not_of(strip);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(strip) - first + 1);
}

}  // namespace nuvrel::app
