// SPDX-License-Identifier: MIT
// Small value types of the grid: cell addresses, ranges, colours, sizes, format and state flags.
#pragma once

#include <cstdint>

namespace nuvrel::grid {

// A colour as 0x00BBGGRR. kDefaultColour marks "take it from the default cell of my kind".
using Colour = std::uint32_t;
inline constexpr Colour kDefaultColour = 0xFF000000;
constexpr Colour Rgb(int r, int g, int b) {
  return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int Red(Colour c) { return static_cast<int>(c & 0xFF); }
constexpr int Green(Colour c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int Blue(Colour c) { return static_cast<int>((c >> 16) & 0xFF); }

// Text format flags of a cell (alignment and drawing options).
namespace format {
inline constexpr unsigned kLeft = 0x0000;
inline constexpr unsigned kCenter = 0x0001;
inline constexpr unsigned kRight = 0x0002;
inline constexpr unsigned kAlignMask = 0x0003;
inline constexpr unsigned kVCenter = 0x0004;
inline constexpr unsigned kSingleLine = 0x0020;
inline constexpr unsigned kNoPrefix = 0x0800;
inline constexpr unsigned kEndEllipsis = 0x8000;
// The format of every sheet cell: single line, vertically centred, no prefix, ellipsis.
inline constexpr unsigned kSheetBase = kVCenter | kSingleLine | kNoPrefix | kEndEllipsis;
}  // namespace format

// Cell state flags. Focused, selected and the fixed bits follow from the grid's focus cell,
// selection and fixed counts; read-only and modified are kept per cell.
namespace state {
inline constexpr unsigned kFocused = 0x01;
inline constexpr unsigned kSelected = 0x02;
inline constexpr unsigned kReadOnly = 0x08;
inline constexpr unsigned kFixed = 0x10;
inline constexpr unsigned kFixedRow = 0x20;
inline constexpr unsigned kFixedColumn = 0x40;
inline constexpr unsigned kModified = 0x80;
}  // namespace state

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
  bool IsValid() const { return minRow >= 0 && minCol >= 0 && minRow <= maxRow && minCol <= maxCol; }
  bool Contains(int row, int col) const {
    return IsValid() && row >= minRow && row <= maxRow && col >= minCol && col <= maxCol;
  }
  friend bool operator==(const CellRange&, const CellRange&) = default;
};

struct Size {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

}  // namespace nuvrel::grid
