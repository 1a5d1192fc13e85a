// SPDX-License-Identifier: MIT
#include "gui/grid_painter.h"

#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>

#include "sheets/cell_types.h"

namespace nuvrel::gui {
namespace {

const QColor kGridLineColour(192, 192, 192);
// A cell that differs from the register: a warm tint, and a triangle in its top left corner that
// tells it apart without the colour (and on a selected cell too).
const QColor kMarkBackColour(255, 226, 168);
const QColor kMarkColour(192, 80, 30);
constexpr int kMarkSize = 8;

}  // namespace

Qt::Alignment HorizontalAlignment(grid::CellFormat format) {
  switch (format & grid::CellFormat::AlignMask) {
    case grid::CellFormat::Center: return Qt::AlignHCenter;
    case grid::CellFormat::Right: return Qt::AlignRight;
    default: return Qt::AlignLeft;
  }
}

QColor ToQColor(grid::Colour colour, const QColor& fallback) {
  if (!colour) return fallback;
  return {colour->red, colour->green, colour->blue};
}

QColor GridPainter::BackColour(const grid::CellTable& table, int row, int col,
                               const QPalette& palette) {
  const bool fixed = table.IsFixed(row, col);
  return ToQColor(table.EffectiveBackColour(row, col),
                  palette.color(fixed ? QPalette::Button : QPalette::Base));
}

QColor GridPainter::TextColour(const grid::CellTable& table, int row, int col,
                               const QPalette& palette) {
  const bool fixed = table.IsFixed(row, col);
  return ToQColor(table.EffectiveTextColour(row, col),
                  palette.color(fixed ? QPalette::ButtonText : QPalette::Text));
}

GridPainter::GridPainter(QPainter& painter, const grid::CellTable& table,
                         const GridGeometry& geometry, const QWidget& widget, const QFont& font)
    : m_painter(painter),
      m_table(table),
      m_geometry(geometry),
      m_widget(widget),
      m_palette(widget.palette()),
      m_font(font),
      m_metrics(font),
      m_visible(m_metrics),
      m_focus(table.GetFocusCell()) {}

void GridPainter::Paint(const QRect& dirty) {
  m_dirty = dirty;
  m_painter.setFont(m_font);
  FillBackground();

  const int fixedRows = m_table.GetFixedRowCount();
  const int fixedCols = m_table.GetFixedColumnCount();
  const auto& rows = m_geometry.Rows();
  const auto& cols = m_geometry.Columns();
  const auto rowsEnd = rows.end();
  const auto colsEnd = cols.end();
  const auto firstRow =
      std::find_if(rows.begin(), rowsEnd, [&](auto& s) { return s.index >= fixedRows; });
  const auto firstCol =
      std::find_if(cols.begin(), colsEnd, [&](auto& s) { return s.index >= fixedCols; });
  auto draw = [&](auto r0, auto r1, auto c0, auto c1) {
    for (auto r = r0; r != r1; ++r) {
      for (auto c = c0; c != c1; ++c) {
        const QRect rect(c->pos, r->pos, c->size, r->size);
        if (Dirty(rect)) DrawCell(r->index, c->index, rect);
      }
    }
  };
  // The fixed corner, the label column, the header row, then the data; each in its own place.
  draw(rows.begin(), firstRow, cols.begin(), firstCol);
  draw(firstRow, rowsEnd, cols.begin(), firstCol);
  draw(rows.begin(), firstRow, firstCol, colsEnd);
  draw(firstRow, rowsEnd, firstCol, colsEnd);
  DrawGridLines();
}

void GridPainter::FillBackground() {
  const QSize vp = m_geometry.Viewport();
  const int right = std::min(m_geometry.GridRight(), vp.width());
  const int bottom = std::min(m_geometry.GridBottom(), vp.height());
  const int fixedW = std::min(m_geometry.FixedWidth(), right);
  const int fixedH = std::min(m_geometry.FixedHeight(), bottom);
  auto defaultBack = [&](bool fixedRow, bool fixedCol, QPalette::ColorRole role) {
    return ToQColor(m_table.GetDefaultCell(fixedRow, fixedCol).GetBackColour(),
                    m_palette.color(role));
  };
  // Right of and below the last cell; each pixel is filled once, as a repaint fills the screen.
  const QColor beyond = m_palette.color(QPalette::Dark);
  m_painter.fillRect(QRect(right, 0, vp.width() - right, vp.height()), beyond);
  m_painter.fillRect(QRect(0, bottom, right, vp.height() - bottom), beyond);
  m_painter.fillRect(QRect(0, 0, fixedW, fixedH), defaultBack(true, true, QPalette::Button));
  m_painter.fillRect(QRect(fixedW, 0, right - fixedW, fixedH),
                     defaultBack(true, false, QPalette::Button));
  m_painter.fillRect(QRect(0, fixedH, fixedW, bottom - fixedH),
                     defaultBack(false, true, QPalette::Button));
  m_painter.fillRect(QRect(fixedW, fixedH, right - fixedW, bottom - fixedH),
                     defaultBack(false, false, QPalette::Base));
}

void GridPainter::DrawCell(int row, int col, const QRect& rect) {
  const grid::GridCell* cell = m_table.GetCell(row, col);
  if (!cell) return;
  QColor back = BackColour(m_table, row, col, m_palette);
  QColor text = TextColour(m_table, row, col, m_palette);

  if (m_table.IsFixed(row, col)) {
    m_painter.fillRect(rect, back);
    const bool inFocusLine = m_trackFocus && m_focus.IsValid() &&
                             ((row >= m_table.GetFixedRowCount() && row == m_focus.row) ||
                              (col >= m_table.GetFixedColumnCount() && col == m_focus.col));
    DrawFixedEdges(rect, inFocusLine);
  } else {
    const bool selected = m_table.IsCellSelected(row, col);
    const bool focused = m_focus.row == row && m_focus.col == col;
    const QColor frame = text;
    if (selected) {
      back = m_palette.color(QPalette::Highlight);
      text = m_palette.color(QPalette::HighlightedText);
    } else if (Marked(row, col)) {
      back = kMarkBackColour;
    }
    m_painter.fillRect(rect, back);
    if (focused) {
      // Inside the grid lines, which take the last pixel column and row.
      m_painter.setPen(frame);
      m_painter.setBrush(Qt::NoBrush);
      m_painter.drawRect(QRect(rect.x(), rect.y(), rect.width() - 2, rect.height() - 2));
    }
  }
  DrawText(*cell, row, col, rect, text);
  if (!m_table.IsFixed(row, col) && Marked(row, col)) DrawMark(rect);
  if (const auto* check = dynamic_cast<const sheets::CheckBoxCell*>(cell)) {
    DrawCheckBox(check->IsChecked(), rect);
  }
}

bool GridPainter::Marked(int row, int col) const {
  return m_marks && std::binary_search(m_marks->begin(), m_marks->end(), grid::CellId{row, col},
                                       [](const grid::CellId& a, const grid::CellId& b) {
                                         return a.row != b.row ? a.row < b.row : a.col < b.col;
                                       });
}

void GridPainter::DrawMark(const QRect& rect) {
  const QPoint corner = rect.topLeft();
  const QPoint triangle[] = {corner, corner + QPoint(kMarkSize, 0), corner + QPoint(0, kMarkSize)};
  m_painter.setPen(Qt::NoPen);
  m_painter.setBrush(kMarkColour);
  m_painter.drawPolygon(triangle, 3);
  m_painter.setBrush(Qt::NoBrush);
}

void GridPainter::DrawFixedEdges(const QRect& rect, bool sunken) {
  const QColor light = m_palette.color(QPalette::Light);
  const QColor dark = m_palette.color(QPalette::Dark);
  const int l = rect.left();
  const int t = rect.top();
  const int r = rect.left() + rect.width() - 1;
  const int b = rect.top() + rect.height() - 1;
  m_painter.setPen(sunken ? dark : light);
  m_painter.drawLine(l, t, r, t);
  m_painter.drawLine(l, t, l, b);
  m_painter.setPen(sunken ? light : dark);
  m_painter.drawLine(r, t, r, b);
  m_painter.drawLine(l, b, r, b);
}

void GridPainter::DrawText(const grid::GridCell& cell, int row, int col, const QRect& rect,
                           const QColor& colour) {
  const std::string_view bytes = cell.DisplayText();
  if (bytes.empty()) return;
  const int margin = m_table.DefaultCellFor(row, col).Margin();
  const QRect area(rect.x() + margin, rect.y(), rect.width() - 1 - 2 * margin, rect.height() - 1);
  if (area.width() <= 0 || area.height() <= 0) return;
  const grid::CellFormat format = cell.GetFormat();
  const bool elide = Has(format, grid::CellFormat::EndEllipsis);
  const Qt::Alignment alignment = HorizontalAlignment(format);
  // Only what fits is converted and laid out; an elided text shows its start whatever its
  // alignment.
  QString text = m_visible.Of(bytes, area.width(), elide ? Qt::AlignLeft : alignment);
  if (elide && m_metrics.horizontalAdvance(text) > area.width()) {
    text = m_metrics.elidedText(text, Qt::ElideRight, area.width());
  }
  m_painter.setPen(colour);
  m_painter.drawText(area, static_cast<int>(alignment | Qt::AlignVCenter | Qt::TextSingleLine),
                     text);
}

void GridPainter::DrawCheckBox(bool checked, const QRect& rect) {
  QStyle* style = m_widget.style();
  const int side = style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &m_widget);
  QStyleOptionButton option;
  option.initFrom(&m_widget);
  option.rect = QRect(rect.left() + sheets::CheckBoxCell::kBoxOffset,
                      rect.top() + sheets::CheckBoxCell::kBoxOffset, side, side);
  option.state = QStyle::State_Enabled | (checked ? QStyle::State_On : QStyle::State_Off);
  style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &m_painter, &m_widget);
}

void GridPainter::DrawGridLines() {
  const QSize vp = m_geometry.Viewport();
  const int left = m_geometry.FixedWidth();
  const int top = m_geometry.FixedHeight();
  const int right = std::min(m_geometry.GridRight(), vp.width()) - 1;
  const int bottom = std::min(m_geometry.GridBottom(), vp.height()) - 1;
  if (right < left || bottom < top) return;
  m_painter.setPen(kGridLineColour);
  for (const auto& c : m_geometry.Columns()) {
    if (c.index < m_table.GetFixedColumnCount()) continue;
    m_painter.drawLine(c.End() - 1, top, c.End() - 1, bottom);
  }
  for (const auto& r : m_geometry.Rows()) {
    if (r.index < m_table.GetFixedRowCount()) continue;
    m_painter.drawLine(left, r.End() - 1, right, r.End() - 1);
  }
}

}  // namespace nuvrel::gui
