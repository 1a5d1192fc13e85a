// SPDX-License-Identifier: MIT
// Draws a grid on the widget's viewport: backgrounds, the fixed header row and label column, the
// cells with their colours, focus frame, selection and text, check boxes, and the grid lines.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QWidget>
#include <vector>

#include "grid/cell_table.h"
#include "gui/grid_geometry.h"
#include "gui/visible_text.h"

namespace nuvrel::gui {

class GridPainter {
 public:
  // Draws through `painter` in the grid font; `widget` gives the palette and the style.
  GridPainter(QPainter& painter, const grid::CellTable& table, const GridGeometry& geometry,
              const QWidget& widget, const QFont& font);

  // Header cells in the focus cell's row and column are drawn pressed in.
  void SetTrackFocus(bool on) { m_trackFocus = on; }
  // Cells drawn marked, in CellOrder; nullptr for none.
  void SetMarks(const std::vector<grid::CellId>* marks) { m_marks = marks; }

  // Draws everything that falls into `dirty`.
  void Paint(const QRect& dirty);

  // The cell's colours, with its default cell's and then the palette's standing in.
  static QColor BackColour(const grid::CellTable& table, int row, int col, const QPalette& palette);
  static QColor TextColour(const grid::CellTable& table, int row, int col, const QPalette& palette);

 private:
  void FillBackground();
  void DrawCell(int row, int col, const QRect& rect);
  void DrawFixedEdges(const QRect& rect, bool sunken);
  void DrawText(const grid::GridCell& cell, int row, int col, const QRect& rect,
                const QColor& colour);
  void DrawCheckBox(bool checked, const QRect& rect);
  bool Marked(int row, int col) const;
  void DrawMark(const QRect& rect);
  void DrawGridLines();
  bool Dirty(const QRect& rect) const { return rect.intersects(m_dirty); }

  QPainter& m_painter;
  const grid::CellTable& m_table;
  const GridGeometry& m_geometry;
  const QWidget& m_widget;
  QPalette m_palette;
  QFont m_font;
  QFontMetrics m_metrics;
  VisibleText m_visible;
  grid::CellId m_focus;
  bool m_trackFocus = true;
  const std::vector<grid::CellId>* m_marks = nullptr;
  QRect m_dirty;
};

// The horizontal alignment of a cell's format.
Qt::Alignment HorizontalAlignment(grid::CellFormat format);

// A grid colour as a Qt colour; grid::kDefaultColour gives `fallback`.
QColor ToQColor(grid::Colour colour, const QColor& fallback);

}  // namespace nuvrel::gui
