// SPDX-License-Identifier: MIT
// Pasting clipboard text into a grid whose columns hold each cell class of the sheets: any text is
// pasted without harm, and copying the pasted cells and pasting that copy back onto them changes
// nothing (every cell class keeps what it stored, and the copy says exactly what the cells hold).
//
// Input: the target row and column, a row and a column to hide, a byte of flags (0x01: a read-only
// cell at the target's right; 0x02: paste without selecting), then the pasted text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "grid/cell_table.h"
#include "grid/clipboard_text.h"
#include "sheets/cell_types.h"

namespace {

using namespace nuvrel;

constexpr int kRows = 7;
constexpr int kColumns = 8;

void Lay(grid::CellTable& grid) {
  grid.SetColumnCount(kColumns);
  grid.SetRowCount(kRows);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  for (int r = 1; r < kRows; ++r) {
    grid.SetCellType<sheets::BarcodeCell>(r, 2);
    grid.SetCellType<sheets::PriceCell>(r, 3);
    grid.SetCellType<sheets::OneCharCell>(r, 4);
    grid.SetCellType<sheets::OneDigitCell>(r, 5);
    grid.SetCellType<sheets::QuantityCell>(r, 6);
    grid.SetCellType<sheets::CheckBoxCell>(r, 7);
    grid.SetItemText(r, 1, "R" + std::to_string(r));
  }
}

std::vector<std::string> Texts(const grid::CellTable& grid) {
  std::vector<std::string> texts;
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kColumns; ++c) texts.push_back(grid.GetItemText(r, c));
  }
  return texts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::InputReader input(data, size);
  const grid::CellId target{input.Byte() % kRows, input.Byte() % kColumns};
  const int hiddenRow = input.Byte() % (kRows + 1);
  const int hiddenColumn = input.Byte() % (kColumns + 1);
  const std::uint8_t flags = input.Byte();

  grid::CellTable grid(nullptr);
  Lay(grid);
  grid.SetRowHeight(hiddenRow, 0);  // kRows or kColumns hides nothing
  grid.SetColumnWidth(hiddenColumn, 0);
  if (flags & 0x01) grid.SetItemReadOnly(target.row, target.col + 1, true);
  const bool select = (flags & 0x02) == 0;

  if (!grid::PasteText(grid, target, input.Rest(), select) || !select) return 0;
  const std::string copy = grid::CopyText(grid);
  const std::vector<std::string> pasted = Texts(grid);
  FUZZ_CHECK(grid::PasteText(grid, target, copy));
  FUZZ_CHECK(Texts(grid) == pasted);
  return 0;
}
