// SPDX-License-Identifier: MIT
// Where the cells of a grid fall in the widget's viewport for a scroll position: the fixed header
// rows and label columns stay put, the other rows and columns start at the top-left scrolled cell.
// Rows and columns of size 0 are hidden and take no place.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

#include "grid/cell_table.h"

namespace nuvrel::gui {

class GridGeometry {
 public:
  // One shown row or column: its index, its top or left edge in the viewport, and its size.
  struct Span {
    int index = 0;
    int pos = 0;
    int size = 0;
    int End() const { return pos + size; }
  };

  // The layout with `topRow` and `leftCol` as the first non-fixed row and column drawn.
  GridGeometry(const grid::CellTable& table, int topRow, int leftCol, QSize viewport);

  int FixedWidth() const { return m_fixedWidth; }
  int FixedHeight() const { return m_fixedHeight; }
  QSize Viewport() const { return m_viewport; }

  // The shown rows (columns) that reach into the viewport: the fixed ones, then the scrolled ones.
  const std::vector<Span>& Rows() const { return m_rows; }
  const std::vector<Span>& Columns() const { return m_cols; }
  // The span of a row (column) on screen; nullptr when it is hidden or off screen.
  const Span* RowSpan(int row) const;
  const Span* ColumnSpan(int col) const;

  // The cell's rectangle; empty when the cell is not on screen. The last pixel column and row
  // carry the grid lines.
  QRect CellRect(int row, int col) const;
  // The cell under a point; invalid when there is none.
  grid::CellId CellAt(QPoint point) const;

  // Where the drawn cells end (may lie beyond the viewport).
  int GridRight() const { return m_cols.empty() ? 0 : m_cols.back().End(); }
  int GridBottom() const { return m_rows.empty() ? 0 : m_rows.back().End(); }

  // The last non-fixed row (column) shown whole; -1 when none is.
  int LastWholeRow() const;
  int LastWholeColumn() const;

 private:
  QSize m_viewport;
  int m_fixedRowCount;
  int m_fixedColCount;
  int m_fixedWidth = 0;
  int m_fixedHeight = 0;
  std::vector<Span> m_rows;
  std::vector<Span> m_cols;
};

// Moves over the shown rows and columns; each returns the index it found, or -1 when there is none.
// Previous moves stop at the first non-fixed row or column.
int NextShownRow(const grid::CellTable& table, int row);
int PreviousShownRow(const grid::CellTable& table, int row);
int NextShownColumn(const grid::CellTable& table, int col);
int PreviousShownColumn(const grid::CellTable& table, int col);
// The first and last shown non-fixed row and column.
int FirstShownRow(const grid::CellTable& table);
int LastShownRow(const grid::CellTable& table);
int FirstShownColumn(const grid::CellTable& table);
int LastShownColumn(const grid::CellTable& table);

// The smallest scroll offset (first scrolled index minus the fixed count) with which `last` is
// still shown whole in `room` pixels below (right of) the fixed part.
int ScrollOffsetShowing(const std::vector<int>& sizes, int fixedCount, int last, int room);

}  // namespace nuvrel::gui
