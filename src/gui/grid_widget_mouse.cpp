// SPDX-License-Identifier: MIT
// The grid widget's mouse: selecting cells, rows, columns and everything; drag-selecting with
// scrolling; resizing columns and rows at the header dividers; check boxes; prepare-edit and
// double-click editing; the right button's menu; title tips.
#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "gui/cell_title_tip.h"
#include "gui/grid_widget.h"
#include "gui/qt_text_measurer.h"
#include "gui/visible_text.h"

namespace nuvrel::gui {
namespace {

// How near a divider the mouse must be to grab it.
constexpr int kResizeCaptureRange = 3;
constexpr int kWheelNotch = 120;

// The divider nearest to `pos` within the capture range: the trailing divider of a shown row or
// column, or, just after it, the hidden one that follows, so that a hidden row or column can be
// dragged (or double-clicked) open again.
template <class Divider>
Divider DividerNear(const std::vector<GridGeometry::Span>& spans, const std::vector<int>& sizes,
                    int pos) {
  Divider found;
  int best = kResizeCaptureRange + 1;
  for (const auto& span : spans) {
    const int distance = std::abs(pos - span.End());
    if (distance < best) {
      best = distance;
      found = {span.index, span.End()};
    }
  }
  const auto next = static_cast<std::size_t>(found.index + 1);
  if (found.IsValid() && pos >= found.edge && next < sizes.size() && sizes[next] == 0) {
    found.index += 1;
  }
  return found;
}

}  // namespace

GridWidget::Divider GridWidget::ColumnDividerAt(const GridGeometry& geometry, QPoint pos) const {
  if (!m_table.GetColumnResize() || pos.y() < 0 || pos.y() >= geometry.FixedHeight()) return {};
  return DividerNear<Divider>(geometry.Columns(), m_table.ColumnWidths(), pos.x());
}

GridWidget::Divider GridWidget::RowDividerAt(const GridGeometry& geometry, QPoint pos) const {
  if (!m_table.GetRowResize() || pos.x() < 0 || pos.x() >= geometry.FixedWidth()) return {};
  return DividerNear<Divider>(geometry.Rows(), m_table.RowHeights(), pos.y());
}

grid::CellId GridWidget::ClampToData(grid::CellId cell) const {
  // A header or label stands for its column or row: the focus goes to the first one on screen.
  const grid::CellId topLeft = TopLeftVisibleCell();
  if (cell.row < m_table.GetFixedRowCount()) {
    cell.row = topLeft.IsValid() ? topLeft.row : m_table.GetFixedRowCount();
  }
  if (cell.col < m_table.GetFixedColumnCount()) {
    cell.col = topLeft.IsValid() ? topLeft.col : m_table.GetFixedColumnCount();
  }
  return cell;
}

void GridWidget::ExtendSelection(grid::CellId current) {
  const int fixedRows = m_table.GetFixedRowCount();
  const int fixedCols = m_table.GetFixedColumnCount();
  const int lastRow = m_table.GetRowCount() - 1;
  const int lastCol = m_table.GetColumnCount() - 1;
  const grid::CellId start = m_selectionStart;
  const int top = std::max(std::min(start.row, current.row), fixedRows);
  const int bottom = std::max(start.row, current.row);
  const int left = std::max(std::min(start.col, current.col), fixedCols);
  const int right = std::max(start.col, current.col);
  grid::CellRange range;
  switch (m_mouseMode) {
    case MouseMode::SelectAll: range = m_table.DataRange(); break;
    case MouseMode::SelectColumns: range = {fixedRows, left, lastRow, right}; break;
    case MouseMode::SelectRows: range = {top, fixedCols, bottom, lastCol}; break;
    case MouseMode::SelectCells: range = {top, left, bottom, right}; break;
    default: return;
  }
  if (m_keepSelection) {
    // With Ctrl the cells selected before the press stay; the dragged range changes on top.
    m_table.SetSelectedCells(m_keptSelection);
    m_table.SelectRange(range, true);
  } else {
    m_table.SelectRange(range);
  }
  const grid::CellId focus = ClampToData(current);
  const QScopedValueRollback selecting(m_selecting, true);
  if (focus != m_table.GetFocusCell()) m_table.SetFocusCell(focus.row, focus.col);
}

bool GridWidget::ClickCheckBox(grid::CellId cell, QPoint pos) {
  if (!m_table.IsCellEditable(cell.row, cell.col)) return false;
  grid::GridCell* target = m_table.GetCell(cell.row, cell.col);
  const QRect rect = CellRect(cell.row, cell.col);
  const int margin = m_table.DefaultCellFor(cell.row, cell.col).Margin();
  const std::string before = target->GetText();
  if (!target->OnClick(pos.x() - rect.x(), pos.y() - rect.y(), margin)) return false;
  // The new state is stored through the table, as any change is: it marks the cell modified, can
  // be undone and repaints the cell.
  const std::string after = target->GetText();
  target->RestoreText(before);
  m_table.SetItemText(cell.row, cell.col, after);
  return true;
}

void GridWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  m_lastMousePos = pos;
  // A press on the title tip reaches the grid through the tip, where the window system does not
  // let the mouse through it; the rest of the drag would go on going to the hidden tip.
  if (m_titleTip->isVisible()) viewport()->grabMouse();
  HideTitleTip();
  if (event->button() != Qt::LeftButton) return;  // the right button acts on release
  if (!EndEditing()) return;

  const GridGeometry geometry = Geometry();
  m_pressPos = pos;
  if (const Divider col = ColumnDividerAt(geometry, pos); col.IsValid()) {
    m_mouseMode = MouseMode::SizeColumn;
    m_sizingIndex = col.index;
    m_sizingStart = m_table.GetColumnWidth(col.index);
    m_sizingEdge = col.edge;
    UpdateTrackLine(m_sizingEdge);
    return;
  }
  if (const Divider row = RowDividerAt(geometry, pos); row.IsValid()) {
    m_mouseMode = MouseMode::SizeRow;
    m_sizingIndex = row.index;
    m_sizingStart = m_table.GetRowHeight(row.index);
    m_sizingEdge = row.edge;
    UpdateTrackLine(m_sizingEdge);
    return;
  }

  const grid::CellId cell = geometry.CellAt(pos);
  if (!cell.IsValid()) return;
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  const bool toggled = ClickCheckBox(cell, pos);
  if (toggled) emit edited();

  if (!toggled && !shift && !ctrl && cell == m_table.GetFocusCell() &&
      m_table.IsCellEditable(cell.row, cell.col)) {
    const QRect rect = geometry.CellRect(cell.row, cell.col);
    const int margin = m_table.DefaultCellFor(cell.row, cell.col).Margin();
    if (rect.adjusted(margin, 0, -margin, 0).contains(pos)) {
      // A second click on the focus cell edits it, once the button comes up on the same cell.
      m_mouseMode = MouseMode::PrepareEdit;
      m_pressCell = cell;
      return;
    }
  }

  m_dragCell = cell;
  m_keepSelection = ctrl;
  m_keptSelection = ctrl ? m_table.GetSelectedCells() : std::vector<grid::CellId>{};
  if (!shift || !m_selectionStart.IsValid()) m_selectionStart = cell;
  const bool headerRow = cell.row < m_table.GetFixedRowCount();
  const bool labelColumn = cell.col < m_table.GetFixedColumnCount();
  m_mouseMode = headerRow && labelColumn ? MouseMode::SelectAll
                : headerRow              ? MouseMode::SelectColumns
                : labelColumn            ? MouseMode::SelectRows
                                         : MouseMode::SelectCells;
  ExtendSelection(cell);
}

void GridWidget::DragSelectTo(QPoint pos) {
  const GridGeometry geometry = Geometry();
  const QSize vp = viewport()->size();
  const bool rows = m_mouseMode == MouseMode::SelectCells || m_mouseMode == MouseMode::SelectRows;
  const bool cols =
      m_mouseMode == MouseMode::SelectCells || m_mouseMode == MouseMode::SelectColumns;
  if (!rows && !cols) return;  // everything is selected already

  // The cell under the mouse, or the nearest data cell on screen when the mouse is outside.
  const int left = cols ? geometry.FixedWidth() : 0;
  const int top = rows ? geometry.FixedHeight() : 0;
  const int right = std::max(left, std::min(geometry.GridRight(), vp.width()) - 1);
  const int bottom = std::max(top, std::min(geometry.GridBottom(), vp.height()) - 1);
  const QPoint at(std::clamp(pos.x(), left, right), std::clamp(pos.y(), top, bottom));
  const grid::CellId cell = geometry.CellAt(at);
  // Selecting whole columns means thousands of cells: only a new cell changes anything.
  if (cell.IsValid() && cell != m_dragCell) {
    m_dragCell = cell;
    ExtendSelection(cell);
  }

  const bool outside = (rows && (pos.y() < geometry.FixedHeight() || pos.y() >= vp.height())) ||
                       (cols && (pos.x() < geometry.FixedWidth() || pos.x() >= vp.width()));
  if (outside && !m_autoScroll.isActive()) {
    m_autoScroll.start();
  } else if (!outside) {
    m_autoScroll.stop();
  }
}

void GridWidget::OnAutoScroll() {
  const bool rows = m_mouseMode == MouseMode::SelectCells || m_mouseMode == MouseMode::SelectRows;
  const bool cols =
      m_mouseMode == MouseMode::SelectCells || m_mouseMode == MouseMode::SelectColumns;
  if (!rows && !cols) {
    m_autoScroll.stop();
    return;
  }
  const GridGeometry geometry = Geometry();
  const QPoint pos = m_lastMousePos;
  if (rows) {
    QScrollBar* bar = verticalScrollBar();
    if (pos.y() < geometry.FixedHeight()) bar->setValue(bar->value() - 1);
    if (pos.y() >= viewport()->height()) bar->setValue(bar->value() + 1);
  }
  if (cols) {
    QScrollBar* bar = horizontalScrollBar();
    if (pos.x() < geometry.FixedWidth()) bar->setValue(bar->value() - 1);
    if (pos.x() >= viewport()->width()) bar->setValue(bar->value() + 1);
  }
  DragSelectTo(pos);
}

void GridWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  m_lastMousePos = pos;
  if (!(event->buttons() & Qt::LeftButton)) {
    UpdateCursor(Geometry(), pos);
    UpdateTitleTip(pos);
    return;
  }
  switch (m_mouseMode) {
    case MouseMode::SizeColumn:
      UpdateTrackLine(m_sizingEdge + std::max(-m_sizingStart, pos.x() - m_pressPos.x()));
      break;
    case MouseMode::SizeRow:
      UpdateTrackLine(m_sizingEdge + std::max(-m_sizingStart, pos.y() - m_pressPos.y()));
      break;
    case MouseMode::PrepareEdit:
      if (Geometry().CellAt(pos) == m_pressCell) break;
      // Dragged off the focus cell: a selection from it after all.
      m_mouseMode = MouseMode::SelectCells;
      m_selectionStart = m_pressCell;
      m_dragCell = m_pressCell;
      m_keepSelection = false;
      DragSelectTo(pos);
      break;
    case MouseMode::SelectAll:
    case MouseMode::SelectColumns:
    case MouseMode::SelectRows:
    case MouseMode::SelectCells: DragSelectTo(pos); break;
    case MouseMode::None: break;
  }
}

void GridWidget::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (QWidget::mouseGrabber() == viewport()) viewport()->releaseMouse();
  if (event->button() == Qt::RightButton) {
    if (!EndEditing()) return;
    const grid::CellId cell = Geometry().CellAt(pos);
    if (cell.IsValid()) {
      const grid::CellId focus = ClampToData(cell);
      m_table.SetFocusCell(focus.row, focus.col);
    }
    emit contextMenuRequested(event->globalPosition().toPoint());
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  m_autoScroll.stop();
  const MouseMode mode = std::exchange(m_mouseMode, MouseMode::None);
  switch (mode) {
    case MouseMode::PrepareEdit:
      if (Geometry().CellAt(pos) == m_pressCell) {
        StartEdit(m_pressCell.row, m_pressCell.col, CellEditor::Start::Mouse);
      }
      break;
    case MouseMode::SizeColumn:
      UpdateTrackLine(-1);
      m_table.SetColumnWidth(m_sizingIndex, std::max(0, m_sizingStart + pos.x() - m_pressPos.x()));
      break;
    case MouseMode::SizeRow:
      UpdateTrackLine(-1);
      m_table.SetRowHeight(m_sizingIndex, std::max(0, m_sizingStart + pos.y() - m_pressPos.y()));
      break;
    default: break;
  }
  UpdateCursor(Geometry(), pos);
}

void GridWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  const GridGeometry geometry = Geometry();
  // A double-click on a divider fits the column (row) to its text, opening a hidden one first.
  if (const Divider col = ColumnDividerAt(geometry, pos); col.IsValid()) {
    m_mouseMode = MouseMode::None;
    UpdateTrackLine(-1);
    if (m_table.GetColumnWidth(col.index) == 0) {
      m_table.SetColumnWidth(col.index, m_table.GetDefaultCell(false, false).DefaultWidth());
    }
    m_table.AutoSizeColumn(col.index);
    return;
  }
  if (const Divider row = RowDividerAt(geometry, pos); row.IsValid()) {
    m_mouseMode = MouseMode::None;
    UpdateTrackLine(-1);
    if (m_table.GetRowHeight(row.index) == 0) {
      m_table.SetRowHeight(row.index, m_table.GetDefaultCell(false, false).DefaultHeight());
    }
    m_table.AutoSizeRow(row.index);
    return;
  }
  const grid::CellId cell = geometry.CellAt(pos);
  if (cell.IsValid() && m_table.IsCellEditable(cell.row, cell.col) &&
      !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier))) {
    m_mouseMode = MouseMode::None;
    m_autoScroll.stop();
    if (cell != m_table.GetFocusCell()) {
      m_selectionStart = cell;
      m_table.SelectCell(cell.row, cell.col);
      m_table.SetFocusCell(cell.row, cell.col);
    }
    if (StartEdit(cell.row, cell.col, CellEditor::Start::Mouse)) return;
  }
  // Anywhere else a double-click is one more click.
  mousePressEvent(event);
}

void GridWidget::wheelEvent(QWheelEvent* event) {
  HideTitleTip();
  const int lines = QApplication::wheelScrollLines();
  m_wheelRemainderY += event->angleDelta().y();
  m_wheelRemainderX += event->angleDelta().x();
  const int notchesY = m_wheelRemainderY / kWheelNotch;
  const int notchesX = m_wheelRemainderX / kWheelNotch;
  m_wheelRemainderY -= notchesY * kWheelNotch;
  m_wheelRemainderX -= notchesX * kWheelNotch;
  if (notchesY != 0) verticalScrollBar()->setValue(verticalScrollBar()->value() - notchesY * lines);
  if (notchesX != 0) {
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() - notchesX * lines);
  }
  event->accept();
}

bool GridWidget::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::Leave) {
    // Moving onto the tip itself is no leaving of the cell.
    if (!m_titleTip->CellRect().contains(viewport()->mapFromGlobal(QCursor::pos()))) {
      HideTitleTip();
    }
  }
  return QAbstractScrollArea::viewportEvent(event);
}

void GridWidget::UpdateCursor(const GridGeometry& geometry, QPoint pos) {
  Qt::CursorShape shape = Qt::ArrowCursor;
  if (ColumnDividerAt(geometry, pos).IsValid()) {
    shape = Qt::SplitHCursor;
  } else if (RowDividerAt(geometry, pos).IsValid()) {
    shape = Qt::SplitVCursor;
  }
  if (viewport()->cursor().shape() != shape) viewport()->setCursor(shape);
}

void GridWidget::UpdateTitleTip(QPoint pos) {
  if (IsEditing()) return;
  const GridGeometry geometry = Geometry();
  // On a divider the mouse resizes: a tip there would cover what it grabs.
  if (ColumnDividerAt(geometry, pos).IsValid() || RowDividerAt(geometry, pos).IsValid()) {
    HideTitleTip();
    return;
  }
  const grid::CellId cell = geometry.CellAt(pos);
  const grid::GridCell* target =
      cell.IsValid() ? std::as_const(m_table).GetCell(cell.row, cell.col) : nullptr;
  if (!target || target->DisplayText().empty()) {
    HideTitleTip();
    return;
  }
  const QRect rect = geometry.CellRect(cell.row, cell.col);
  const int margin = m_table.DefaultCellFor(cell.row, cell.col).Margin();
  // The cell without its grid lines, so the tip's text sits where the cell's does.
  const QRect inner(rect.x(), rect.y(), rect.width() - 1, rect.height() - 1);
  // The tip is at most about as wide as the screen; a longer text is laid out only that far.
  const QScreen* screen = viewport()->screen();
  const int reach = screen ? screen->geometry().width() : QtTextMeasurer::kMaxTextWidth;
  const QString tip = VisibleText(QFontMetrics(m_font)).Of(target->GetTipText(), reach);
  m_titleTip->ShowFor(inner, inner.width() - 2 * margin, tip, m_font);
}

void GridWidget::HideTitleTip() {
  if (m_titleTip) m_titleTip->Hide();
}

void GridWidget::UpdateTrackLine(int pos) {
  if (pos == m_trackLine) return;
  m_trackLine = pos;
  viewport()->update();
}

}  // namespace nuvrel::gui
