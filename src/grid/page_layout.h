// SPDX-License-Identifier: MIT
// How a grid falls onto printed pages: the page is scaled so that the whole grid width plus the
// side margins fills the paper's width; the rows are then dealt out to pages top to bottom. Pure
// arithmetic in the printer's logical units; the printing code draws what this decides.
#pragma once

#include <vector>

#include "grid/cell_table.h"
#include "grid/types.h"

namespace nuvrel::grid {

// The fixed parts of a printed page, in lines (character heights) and characters (widths).
inline constexpr int kPrintHeaderLines = 2;
inline constexpr int kPrintFooterLines = 2;
inline constexpr int kPrintGapLines = 1;  // between the page header and the column headings
inline constexpr int kPrintLeftMarginChars = 4;
inline constexpr int kPrintRightMarginChars = 4;

struct PageLayout {
  int charWidth = 0;
  int charHeight = 0;
  int paperWidth = 0;  // printable area, device pixels
  int paperHeight = 0;
  int logicalWidth = 0;  // the page in logical units: grid width plus both margins
  int logicalHeight = 0;
  int pageHeight = 0;  // room for data rows on one page
  int pageWidth = 0;   // room for data columns on one page
  int pageCount = 1;
  std::vector<int> firstRowOfPage;  // index p: the first data row of page p + 1
  int rowEnd = 0;                   // one past the last row laid out
};

// The average character size of a font from the width of the 52 letters a-z A-Z and its height.
Size CharacterSize(int widthOf52Letters, int height);

// One past the last data row that holds text in a data cell; the fixed row count when none does. A
// sheet prints up to there: its empty rows below would only be blank pages.
int RowsToPrint(const CellTable& grid);

// Lays out the data rows up to rowEnd (every row when it is negative or beyond the grid) for paper
// of `paperSize` (printable device pixels) printed in a font of `charSize` (logical units). There
// is always at least one page; a page with no room for rows holds one row.
PageLayout ComputePageLayout(const CellTable& grid, Size charSize, Size paperSize, int rowEnd = -1);

// The first data row of a page (1-based); a page number outside 1..pageCount is taken as the
// nearest page.
int FirstRowOfPage(const PageLayout& layout, int page);

// The data cells printed on a page (1-based, taken as FirstRowOfPage takes it): the rows the layout
// dealt to it and the non-fixed columns that fit the page width. Invalid when the page has no data
// rows or no data column fits.
CellRange PageCells(const CellTable& grid, const PageLayout& layout, int page);

}  // namespace nuvrel::grid
