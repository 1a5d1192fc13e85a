// SPDX-License-Identifier: MIT
#include "cli/cell_spec.h"

#include <charconv>
#include <utility>

namespace nuvrel::cli {
namespace {

constexpr int kLargest = 65535;

std::optional<int> Number(std::string_view text) {
  int value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  const auto [end, ec] = std::from_chars(first, last, value);
  if (text.empty() || ec != std::errc() || end != last || value < 1 || value > kLargest) {
    return std::nullopt;
  }
  return value;
}

// "A" or "A-B", in either order.
std::optional<std::pair<int, int>> Span(std::string_view text) {
  const std::size_t dash = text.find('-');
  const auto first = Number(text.substr(0, dash));
  const auto last = dash == std::string_view::npos ? first : Number(text.substr(dash + 1));
  if (!first || !last) return std::nullopt;
  return std::pair{std::min(*first, *last), std::max(*first, *last)};
}

}  // namespace

std::optional<grid::CellRange> ParseCellSpec(std::string_view text) {
  const std::size_t colon = text.find(':');
  const auto rows = Span(text.substr(0, colon));
  if (!rows) return std::nullopt;
  if (colon == std::string_view::npos) return grid::CellRange{rows->first, 1, rows->second, -1};
  const auto cols = Span(text.substr(colon + 1));
  if (!cols) return std::nullopt;
  return grid::CellRange{rows->first, cols->first, rows->second, cols->second};
}

}  // namespace nuvrel::cli
