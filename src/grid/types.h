// SPDX-License-Identifier: MIT
// Small value types of the grid: cell addresses, ranges, colours, sizes, format and state flags.
#pragma once

#include <cstdint>
#include <optional>
#include <type_traits>

namespace nuvrel::grid {

// A colour by its red, green and blue parts, each 0..255.
struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  constexpr Rgb() = default;
  constexpr Rgb(int r, int g, int b)
      : red(static_cast<std::uint8_t>(r)),
        green(static_cast<std::uint8_t>(g)),
        blue(static_cast<std::uint8_t>(b)) {}
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A cell's colour; kDefaultColour (none) takes the colour of the default cell of its kind.
using Colour = std::optional<Rgb>;
inline constexpr Colour kDefaultColour = std::nullopt;

// How a cell lays out its text: one horizontal alignment (the AlignMask bits) and drawing options.
enum class CellFormat : std::uint8_t {
  Left = 0x00,
  Center = 0x01,
  Right = 0x02,
  AlignMask = 0x03,
  VCenter = 0x04,      // vertically centred
  SingleLine = 0x08,   // line breaks are not followed
  NoPrefix = 0x10,     // '&' is a plain character, not a mnemonic mark
  EndEllipsis = 0x20,  // a text too long for the cell ends in "..."
  // The format of every sheet cell: single line, vertically centred, no prefix, ellipsis.
  SheetBase = VCenter | SingleLine | NoPrefix | EndEllipsis,
};

// Cell state flags. Focused, selected and the fixed bits follow from the grid's focus cell,
// selection and fixed counts; read-only and modified are kept per cell.
enum class CellState : std::uint8_t {
  None = 0x00,
  Focused = 0x01,
  Selected = 0x02,
  ReadOnly = 0x04,
  Fixed = 0x08,
  FixedRow = 0x10,
  FixedColumn = 0x20,
  Modified = 0x40,
};

// Both flag sets combine and mask like the bits they are.
template <class E>
concept CellFlags = std::is_same_v<E, CellFormat> || std::is_same_v<E, CellState>;

template <CellFlags E>
constexpr E operator|(E a, E b) {
  return static_cast<E>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
template <CellFlags E>
constexpr E operator&(E a, E b) {
  return static_cast<E>(static_cast<unsigned>(a) & static_cast<unsigned>(b));
}
template <CellFlags E>
constexpr E operator~(E a) {
  return static_cast<E>(~static_cast<unsigned>(a));
}
template <CellFlags E>
constexpr E& operator|=(E& a, E b) {
  return a = a | b;
}
// Whether any of the flags is set.
template <CellFlags E>
constexpr bool Has(E value, E flags) {
  return (value & flags) != E{};
}

struct CellId {
  int row = -1;
  int col = -1;
  bool IsValid() const { return row >= 0 && col >= 0; }
  friend bool operator==(const CellId&, const CellId&) = default;
};

// An inclusive rectangle of cells; minRow > maxRow means empty.
struct CellRange {
  int minRow = -1;
  int minCol = -1;
  int maxRow = -1;
  int maxCol = -1;
  bool IsValid() const {
    return minRow >= 0 && minCol >= 0 && minRow <= maxRow && minCol <= maxCol;
  }
  bool Contains(int row, int col) const {
    return IsValid() && row >= minRow && row <= maxRow && col >= minCol && col <= maxCol;
  }
  friend bool operator==(const CellRange&, const CellRange&) = default;
};

struct Size {
  int width = 0;
  int height = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

}  // namespace nuvrel::grid
