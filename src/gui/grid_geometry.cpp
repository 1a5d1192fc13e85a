// SPDX-License-Identifier: MIT
#include "gui/grid_geometry.h"

#include <algorithm>
#include <cstddef>

namespace nuvrel::gui {
namespace {

using Span = GridGeometry::Span;

// Lays the fixed entries from 0, then the scrolled ones from `first` until the limit is passed.
std::vector<Span> Lay(const std::vector<int>& sizes, int fixedCount, int first, int limit,
                      int& fixedExtent) {
  std::vector<Span> spans;
  const int count = static_cast<int>(sizes.size());
  int pos = 0;
  for (int i = 0; i < std::min(fixedCount, count); ++i) {
    const int size = sizes[static_cast<std::size_t>(i)];
    if (size > 0) spans.push_back({i, pos, size});
    pos += size;
  }
  fixedExtent = pos;
  for (int i = std::max(first, fixedCount); i < count && pos < limit; ++i) {
    const int size = sizes[static_cast<std::size_t>(i)];
    if (size > 0) spans.push_back({i, pos, size});
    pos += size;
  }
  return spans;
}

const Span* Find(const std::vector<Span>& spans, int index) {
  const auto it = std::lower_bound(spans.begin(), spans.end(), index,
                                   [](const Span& s, int i) { return s.index < i; });
  return it != spans.end() && it->index == index ? &*it : nullptr;
}

int IndexAt(const std::vector<Span>& spans, int pos) {
  for (const Span& s : spans) {
    if (pos >= s.pos && pos < s.End()) return s.index;
  }
  return -1;
}

int LastWhole(const std::vector<Span>& spans, int fixedCount, int limit) {
  int last = -1;
  for (const Span& s : spans) {
    if (s.index >= fixedCount && s.End() <= limit) last = s.index;
  }
  return last;
}

bool Shown(const std::vector<int>& sizes, int i) {
  return sizes[static_cast<std::size_t>(i)] > 0;
}

}  // namespace

GridGeometry::GridGeometry(const grid::CellTable& table, int topRow, int leftCol, QSize viewport)
    : m_viewport(viewport),
      m_fixedRowCount(table.GetFixedRowCount()),
      m_fixedColCount(table.GetFixedColumnCount()) {
  m_rows = Lay(table.RowHeights(), m_fixedRowCount, topRow, viewport.height(), m_fixedHeight);
  m_cols = Lay(table.ColumnWidths(), m_fixedColCount, leftCol, viewport.width(), m_fixedWidth);
}

const Span* GridGeometry::RowSpan(int row) const {
  return Find(m_rows, row);
}
const Span* GridGeometry::ColumnSpan(int col) const {
  return Find(m_cols, col);
}

QRect GridGeometry::CellRect(int row, int col) const {
  const Span* r = RowSpan(row);
  const Span* c = ColumnSpan(col);
  if (!r || !c) return {};
  return {c->pos, r->pos, c->size, r->size};
}

grid::CellId GridGeometry::CellAt(QPoint point) const {
  const int row = IndexAt(m_rows, point.y());
  const int col = IndexAt(m_cols, point.x());
  if (row < 0 || col < 0) return {};
  return {row, col};
}

int GridGeometry::LastWholeRow() const {
  return LastWhole(m_rows, m_fixedRowCount, m_viewport.height());
}

int GridGeometry::LastWholeColumn() const {
  return LastWhole(m_cols, m_fixedColCount, m_viewport.width());
}

int NextShownRow(const grid::CellTable& table, int row) {
  for (int r = row + 1; r < table.GetRowCount(); ++r) {
    if (Shown(table.RowHeights(), r)) return r;
  }
  return -1;
}

int PreviousShownRow(const grid::CellTable& table, int row) {
  for (int r = row - 1; r >= table.GetFixedRowCount(); --r) {
    if (Shown(table.RowHeights(), r)) return r;
  }
  return -1;
}

int NextShownColumn(const grid::CellTable& table, int col) {
  for (int c = col + 1; c < table.GetColumnCount(); ++c) {
    if (Shown(table.ColumnWidths(), c)) return c;
  }
  return -1;
}

int PreviousShownColumn(const grid::CellTable& table, int col) {
  for (int c = col - 1; c >= table.GetFixedColumnCount(); --c) {
    if (Shown(table.ColumnWidths(), c)) return c;
  }
  return -1;
}

int FirstShownRow(const grid::CellTable& table) {
  return NextShownRow(table, table.GetFixedRowCount() - 1);
}
int LastShownRow(const grid::CellTable& table) {
  return PreviousShownRow(table, table.GetRowCount());
}
int FirstShownColumn(const grid::CellTable& table) {
  return NextShownColumn(table, table.GetFixedColumnCount() - 1);
}
int LastShownColumn(const grid::CellTable& table) {
  return PreviousShownColumn(table, table.GetColumnCount());
}

int ScrollOffsetShowing(const std::vector<int>& sizes, int fixedCount, int last, int room) {
  last = std::min(last, static_cast<int>(sizes.size()) - 1);
  if (last < fixedCount) return 0;
  int first = last;
  int used = sizes[static_cast<std::size_t>(last)];
  // Rows above join while they fit; a hidden one always fits.
  while (first > fixedCount && used + sizes[static_cast<std::size_t>(first - 1)] <= room) {
    --first;
    used += sizes[static_cast<std::size_t>(first)];
  }
  return first - fixedCount;
}

}  // namespace nuvrel::gui
