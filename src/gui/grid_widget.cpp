// SPDX-License-Identifier: MIT
// The grid widget: construction, scrolling, observing the table, drawing.
#include "gui/grid_widget.h"

#include <QContextMenuEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "gui/cell_title_tip.h"
#include "gui/grid_painter.h"

namespace nuvrel::gui {
namespace {

// The sheets' font until the view sets one.
QFont DefaultGridFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setPixelSize(14);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

constexpr int kAutoScrollMs = 25;

}  // namespace

GridWidget::GridWidget(grid::CellTable& table, QWidget* parent)
    : QAbstractScrollArea(parent), m_table(table), m_font(DefaultGridFont()) {
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  // Every pixel is painted, so Qt need not clear the background first.
  viewport()->setAutoFillBackground(false);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  verticalScrollBar()->setSingleStep(1);
  horizontalScrollBar()->setSingleStep(1);
  m_autoScroll.setInterval(kAutoScrollMs);
  connect(&m_autoScroll, &QTimer::timeout, this, &GridWidget::OnAutoScroll);
  m_titleTip = new CellTitleTip(viewport());
  m_table.SetObserver(this);
  m_lastFocus = m_table.GetFocusCell();
  UpdateScrollBars();
}

GridWidget::~GridWidget() {
  m_table.SetObserver(nullptr);
  // The edit goes without storing: the table may be going too.
  if (m_editor) m_editor->disconnect(this);
}

void GridWidget::SetGridFont(const QFont& font) {
  m_font = font;
  if (m_editor) m_editor->setFont(font);
  HideTitleTip();
  viewport()->update();
}

void GridWidget::SetTrackFocusCell(bool on) {
  m_trackFocus = on;
  viewport()->update();
}

int GridWidget::TopRow() const {
  return m_table.GetFixedRowCount() + verticalScrollBar()->value();
}

int GridWidget::LeftColumn() const {
  return m_table.GetFixedColumnCount() + horizontalScrollBar()->value();
}

GridGeometry GridWidget::Geometry() const {
  return GridGeometry(m_table, TopRow(), LeftColumn(), viewport()->size());
}

QRect GridWidget::CellRect(int row, int col) const {
  return Geometry().CellRect(row, col);
}

grid::CellId GridWidget::TopLeftVisibleCell() const {
  const int row = NextShownRow(m_table, TopRow() - 1);
  const int col = NextShownColumn(m_table, LeftColumn() - 1);
  if (row < 0 || col < 0) return {};
  return {row, col};
}

void GridWidget::UpdateScrollBars() {
  const GridGeometry geometry = Geometry();
  const QSize vp = viewport()->size();
  verticalScrollBar()->setRange(
      0, ScrollOffsetShowing(m_table.RowHeights(), m_table.GetFixedRowCount(),
                             m_table.GetRowCount() - 1, vp.height() - geometry.FixedHeight()));
  horizontalScrollBar()->setRange(
      0, ScrollOffsetShowing(m_table.ColumnWidths(), m_table.GetFixedColumnCount(),
                             m_table.GetColumnCount() - 1, vp.width() - geometry.FixedWidth()));
  UpdatePageSteps();
}

void GridWidget::UpdatePageSteps() {
  const GridGeometry geometry = Geometry();
  const int lastRow = geometry.LastWholeRow();
  const int lastCol = geometry.LastWholeColumn();
  verticalScrollBar()->setPageStep(std::max(1, lastRow - TopRow() + 1));
  horizontalScrollBar()->setPageStep(std::max(1, lastCol - LeftColumn() + 1));
}

void GridWidget::EnsureVisible(int row, int col) {
  if (!m_table.IsValid(row, col)) return;
  const GridGeometry geometry = Geometry();
  const QSize vp = viewport()->size();
  if (row >= m_table.GetFixedRowCount() && m_table.GetRowHeight(row) > 0) {
    QScrollBar* bar = verticalScrollBar();
    const int fixed = m_table.GetFixedRowCount();
    if (row < TopRow()) {
      bar->setValue(row - fixed);
    } else {
      const int offset = ScrollOffsetShowing(m_table.RowHeights(), fixed, row,
                                             vp.height() - geometry.FixedHeight());
      if (offset > bar->value()) bar->setValue(offset);
    }
  }
  if (col >= m_table.GetFixedColumnCount() && m_table.GetColumnWidth(col) > 0) {
    QScrollBar* bar = horizontalScrollBar();
    const int fixed = m_table.GetFixedColumnCount();
    if (col < LeftColumn()) {
      bar->setValue(col - fixed);
    } else {
      const int offset = ScrollOffsetShowing(m_table.ColumnWidths(), fixed, col,
                                             vp.width() - geometry.FixedWidth());
      if (offset > bar->value()) bar->setValue(offset);
    }
  }
}

void GridWidget::scrollContentsBy(int, int) {
  // An edit does not travel with its cell: it ends, as it does when the person clicks elsewhere.
  HideTitleTip();
  EndEditing();
  UpdatePageSteps();
  viewport()->update();
}

void GridWidget::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void GridWidget::SetMarkedCells(std::vector<grid::CellId> cells) {
  std::sort(cells.begin(), cells.end(), CellOrder);
  if (cells == m_marked) return;
  m_marked = std::move(cells);
  viewport()->update();
}

void GridWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const GridGeometry geometry = Geometry();
  GridPainter gridPainter(painter, m_table, geometry, *viewport(), m_font);
  gridPainter.SetTrackFocus(m_trackFocus);
  gridPainter.SetMarks(&m_marked);
  gridPainter.Paint(event->rect());
  if (m_trackLine >= 0) {
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    if (m_mouseMode == MouseMode::SizeColumn) {
      painter.drawLine(m_trackLine, 0, m_trackLine, viewport()->height() - 1);
    } else {
      painter.drawLine(0, m_trackLine, viewport()->width() - 1, m_trackLine);
    }
  }
}

bool GridWidget::NoticeFocusChange() {
  const grid::CellId now = m_table.GetFocusCell();
  if (now == m_lastFocus) return false;
  m_lastFocus = now;
  // Moved from outside (a find, a go-to-line): a Shift selection starts from the new cell.
  if (!m_selecting) m_selectionStart = now;
  // The header cells of the old and new focus row and column change too.
  viewport()->update();
  emit focusCellChanged();
  return true;
}

void GridWidget::CellChanged(int row, int col) {
  if (NoticeFocusChange()) return;
  const QRect rect = CellRect(row, col);
  if (!rect.isEmpty()) viewport()->update(rect);
}

void GridWidget::LayoutChanged() {
  NoticeFocusChange();
  UpdateScrollBars();
  PlaceEditor();
  viewport()->update();
}

void GridWidget::contextMenuEvent(QContextMenuEvent* event) {
  // The mouse's menu comes with the right button's release; only the keyboard's is taken here.
  if (event->reason() == QContextMenuEvent::Keyboard) emit contextMenuRequested(KeyboardMenuPos());
  event->accept();
}

QPoint GridWidget::KeyboardMenuPos() const {
  // Under the focus cell, where the person is working; near the top-left corner when that cell is
  // out of sight.
  const grid::CellId focus = m_table.GetFocusCell();
  const QRect cell =
      m_table.IsValid(focus.row, focus.col) ? CellRect(focus.row, focus.col) : QRect();
  if (cell.isEmpty()) return mapToGlobal(QPoint(10, 10));
  return viewport()->mapToGlobal(cell.bottomLeft() + QPoint(1, 1));
}

bool GridWidget::focusNextPrevChild(bool) {
  // Tab moves between cells, never out of the grid.
  return false;
}

}  // namespace nuvrel::gui
