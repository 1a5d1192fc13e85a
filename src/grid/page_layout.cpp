// SPDX-License-Identifier: MIT
#include "grid/page_layout.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace nuvrel::grid {
namespace {

int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

std::int64_t SumOf(const std::vector<int>& sizes, std::size_t count) {
  std::int64_t sum = 0;
  for (std::size_t i = 0; i < std::min(count, sizes.size()); ++i) sum += sizes[i];
  return sum;
}

std::size_t PageIndex(const PageLayout& layout, int page) {
  const auto count = static_cast<int>(layout.firstRowOfPage.size());
  return static_cast<std::size_t>(std::clamp(page, 1, std::max(count, 1)) - 1);
}

}  // namespace

Size CharacterSize(int widthOf52Letters, int height) {
  return {(widthOf52Letters + 26) / 52, height};
}

int RowsToPrint(const CellTable& grid) {
  for (int r = grid.GetRowCount() - 1; r >= grid.GetFixedRowCount(); --r) {
    for (int c = grid.GetFixedColumnCount(); c < grid.GetColumnCount(); ++c) {
      if (!grid.GetItemText(r, c).empty()) return r + 1;
    }
  }
  return grid.GetFixedRowCount();
}

PageLayout ComputePageLayout(const CellTable& grid, Size charSize, Size paperSize, int rowEnd) {
  PageLayout layout;
  layout.rowEnd = rowEnd < 0 ? grid.GetRowCount() : std::min(rowEnd, grid.GetRowCount());
  layout.charWidth = charSize.width;
  layout.charHeight = charSize.height;
  layout.paperWidth = paperSize.width;
  layout.paperHeight = paperSize.height;

  const std::vector<int>& heights = grid.RowHeights();
  const std::vector<int>& widths = grid.ColumnWidths();
  const auto fixedRows = static_cast<std::size_t>(grid.GetFixedRowCount());
  const auto fixedCols = static_cast<std::size_t>(grid.GetFixedColumnCount());

  const std::int64_t sideMargins =
      static_cast<std::int64_t>(kPrintLeftMarginChars + kPrintRightMarginChars) * charSize.width;
  const std::int64_t furniture =
      static_cast<std::int64_t>(kPrintHeaderLines + kPrintFooterLines + 2 * kPrintGapLines) *
      charSize.height;

  layout.logicalWidth = ClampToInt(SumOf(widths, widths.size()) + sideMargins);
  // Same shape as the paper; no paper width gives no height, and so one row a page below.
  layout.logicalHeight = paperSize.width <= 0
                             ? 0
                             : ClampToInt((std::int64_t{layout.logicalWidth} * paperSize.height +
                                           paperSize.width / 2) /
                                          paperSize.width);
  layout.pageHeight =
      ClampToInt(std::int64_t{layout.logicalHeight} - SumOf(heights, fixedRows) - furniture);
  layout.pageWidth =
      ClampToInt(std::int64_t{layout.logicalWidth} - SumOf(widths, fixedCols) - sideMargins);

  layout.firstRowOfPage.push_back(grid.GetFixedRowCount());
  std::int64_t used = 0;
  const auto end = std::min(heights.size(), static_cast<std::size_t>(std::max(layout.rowEnd, 0)));
  for (std::size_t r = fixedRows; r < end; ++r) {
    const int height = heights[r];
    if (height <= 0) continue;
    // A page that holds nothing yet takes the row even when it is too high, so every page carries
    // at least one row and a page with no room at all still moves on.
    if (used > 0 && used + height > layout.pageHeight) {
      layout.firstRowOfPage.push_back(static_cast<int>(r));
      used = height;
    } else {
      used += height;
    }
  }
  layout.pageCount = static_cast<int>(layout.firstRowOfPage.size());
  return layout;
}

int FirstRowOfPage(const PageLayout& layout, int page) {
  if (layout.firstRowOfPage.empty()) return 0;
  return layout.firstRowOfPage[PageIndex(layout, page)];
}

CellRange PageCells(const CellTable& grid, const PageLayout& layout, int page) {
  if (layout.firstRowOfPage.empty()) return {};
  const std::size_t index = PageIndex(layout, page);
  const int firstRow = layout.firstRowOfPage[index];
  const int lastRow = (index + 1 < layout.firstRowOfPage.size() ? layout.firstRowOfPage[index + 1]
                                                                : layout.rowEnd) -
                      1;

  const int firstCol = grid.GetFixedColumnCount();
  int lastCol = firstCol - 1;
  std::int64_t right = 0;
  for (int c = firstCol; c < grid.GetColumnCount(); ++c) {
    right += grid.GetColumnWidth(c);
    if (right > layout.pageWidth) break;
    lastCol = c;
  }

  const CellRange cells{firstRow, firstCol, lastRow, lastCol};
  return cells.IsValid() ? cells : CellRange{};
}

}  // namespace nuvrel::grid
