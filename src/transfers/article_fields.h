// SPDX-License-Identifier: MIT
// The article record: the fields of one row of the Articles sheet as the register takes them.
//
//   offset  size  field        column  whole sheet (cell not empty)               empty cell
//    8       4    number       -       the row, %04u
//   12      15    name         1       first 15 bytes, blank-padded, translated   15 x '"'
//   27      12    barcode      2       the text cut at 12                         12 x '"'
//   39       1    tax group    4       0x30 | low nibble of the first byte (*)    '"'
//   40       1    department   5       the first byte as it is                    '"'
//   41       1    unit         6       the first byte as it is                    '"'
//   42       9    price        3       nearest hundredth %08u, then '2'           9 x '"'
//   51       9    in stock     7       nearest thousandth %09u                    9 x '"'
//   60       2    check pair, 62 LF: 63 bytes.
// (*) a byte above 0x7F is taken plus one first, so the register's letters A, B, C (0xC0..0xC2
//     in the sheet's code page) give 1, 2, 3 as the Latin ones do.
//
// A '"' tells the register to keep what it holds. A selection upload sends '"' for every cell that
// is not selected, so only the selected cells change; a selected empty cell clears the field
// instead: blanks for the name, tax group 2, zeros for the others (the price without its '2').
#pragma once

#include <array>
#include <string>

#include "grid/cell_table.h"
#include "sheets/layouts.h"

namespace nuvrel::transfers {

inline constexpr int kArticleRows = 2400;

struct ArticleField {
  int column;
  int width;
};

// The fields in frame order.
inline constexpr std::array<ArticleField, 7> kArticleFields{{
    {sheets::articles::kName, 15},
    {sheets::articles::kBarcode, 12},
    {sheets::articles::kTaxGroup, 1},
    {sheets::articles::kDepartment, 1},
    {sheets::articles::kUnit, 1},
    {sheets::articles::kPrice, 9},
    {sheets::articles::kInStock, 9},
}};

// The field of one cell for a whole-sheet upload, exactly `width` bytes (none for a width below 1).
// Prices and quantities are read as numbers from the start of the text; anything the upload's
// checks would refuse (not a number, negative, too big) is sent as 0 or the largest value.
std::string FormatArticleField(const grid::CellTable& grid, int row, int col, int width);

// The field of one cell for a selection upload, as described above.
std::string FormatSelectedArticleField(const grid::CellTable& grid, int row, int col, int width);

// The fields after the record letter: the number and the seven fields.
std::string ArticleRecordFields(const grid::CellTable& grid, int row, bool selectionOnly);

}  // namespace nuvrel::transfers
