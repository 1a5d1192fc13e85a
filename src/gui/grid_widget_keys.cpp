// SPDX-License-Identifier: MIT
// The grid widget's keyboard: moving the focus cell over the shown rows and columns, extending the
// selection with Shift, the clipboard keys, and the keys that start editing.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <algorithm>

#include "grid/clipboard_text.h"
#include "gui/grid_widget.h"

namespace nuvrel::gui {

void GridWidget::keyPressEvent(QKeyEvent* event) {
  HideTitleTip();
  // A key that reaches the grid while its cell is being edited belongs to the edit: typing fast
  // after the first character must not lose the second.
  if (IsEditing()) {
    Editor()->setFocus();
    QCoreApplication::sendEvent(Editor(), event);
    return;
  }
  const int key = event->key();
  if (key == Qt::Key_Menu || (key == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier)) {
    emit contextMenuRequested(KeyboardMenuPos());
    return;
  }
  const grid::CellId focus = m_table.GetFocusCell();
  if (!m_table.IsValid(focus.row, focus.col)) {
    event->ignore();
    return;
  }
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool shift = modifiers & Qt::ShiftModifier;

  if (ctrl) {
    switch (key) {
      case Qt::Key_A: OnEditSelectAll(); return;
      case Qt::Key_X: OnEditCut(); return;
      case Qt::Key_C:
      case Qt::Key_Insert: OnEditCopy(); return;
      case Qt::Key_V: OnEditPaste(); return;
      default: break;
    }
  }
  if (shift && key == Qt::Key_Insert) {
    OnEditPaste();
    return;
  }
  switch (key) {
    case Qt::Key_Delete:
      grid::CutSelected(m_table);
      emit edited();
      return;
    case Qt::Key_F2: StartEdit(focus.row, focus.col, CellEditor::Start::Mouse); return;
    case Qt::Key_Backspace: StartEdit(focus.row, focus.col, CellEditor::Start::Backspace); return;
    default: break;
  }
  if (MoveFocus(key, modifiers)) {
    // Enter goes down and opens the cell it reaches, as Enter does while editing.
    const bool plain = !(modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && plain) {
      const grid::CellId next = m_table.GetFocusCell();
      StartEdit(next.row, next.col, CellEditor::Start::SelectAll);
    }
    return;
  }

  const QString text = event->text();
  // Alt and Meta keys belong to menus and the desktop, not to the cell.
  const bool command = modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (!command && text.size() == 1 && text.front().isPrint()) {
    const QChar typed = text.front();
    StartEdit(
        focus.row, focus.col,
        typed == QLatin1Char(' ') ? CellEditor::Start::SelectAll : CellEditor::Start::Character,
        typed);
    return;
  }
  event->ignore();
}

bool GridWidget::MoveFocus(int key, Qt::KeyboardModifiers modifiers) {
  const grid::CellId focus = m_table.GetFocusCell();
  if (!m_table.IsValid(focus.row, focus.col)) return false;
  const bool ctrl = modifiers & Qt::ControlModifier;
  const bool shift = modifiers & Qt::ShiftModifier;
  grid::CellId next = focus;
  bool tab = false;
  auto stepTo = [](int found, int& coordinate) {
    if (found >= 0) coordinate = found;
  };

  switch (key) {
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter: stepTo(NextShownRow(m_table, focus.row), next.row); break;
    case Qt::Key_Up: stepTo(PreviousShownRow(m_table, focus.row), next.row); break;
    case Qt::Key_Right: stepTo(NextShownColumn(m_table, focus.col), next.col); break;
    case Qt::Key_Left: stepTo(PreviousShownColumn(m_table, focus.col), next.col); break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
      tab = true;
      const bool back = key == Qt::Key_Backtab || shift;
      const int col =
          back ? PreviousShownColumn(m_table, focus.col) : NextShownColumn(m_table, focus.col);
      if (col >= 0) {
        next.col = col;
        break;
      }
      // Past the row's end Tab goes on at the start of the next row; at the last cell it stops.
      const int row =
          back ? PreviousShownRow(m_table, focus.row) : NextShownRow(m_table, focus.row);
      if (row < 0) return true;
      next = {row, back ? LastShownColumn(m_table) : FirstShownColumn(m_table)};
      break;
    }
    case Qt::Key_PageDown:
    case Qt::Key_PageUp: {
      const bool down = key == Qt::Key_PageDown;
      const int before = TopLeftVisibleCell().row;
      verticalScrollBar()->triggerAction(down ? QAbstractSlider::SliderPageStepAdd
                                              : QAbstractSlider::SliderPageStepSub);
      const int after = TopLeftVisibleCell().row;
      if (after == before) {
        next.row = down ? LastShownRow(m_table) : FirstShownRow(m_table);
      } else {
        int row = std::clamp(focus.row + after - before, m_table.GetFixedRowCount(),
                             m_table.GetRowCount() - 1);
        if (m_table.GetRowHeight(row) == 0) {
          const int shown = NextShownRow(m_table, row);
          row = shown >= 0 ? shown : PreviousShownRow(m_table, row);
        }
        next.row = row;
      }
      break;
    }
    case Qt::Key_Home:
      next.col = FirstShownColumn(m_table);
      if (ctrl) next.row = FirstShownRow(m_table);
      break;
    case Qt::Key_End:
      next.col = LastShownColumn(m_table);
      if (ctrl) next.row = LastShownRow(m_table);
      break;
    default: return false;
  }
  if (next.IsValid()) MoveTo(next, shift && !tab);
  return true;
}

void GridWidget::MoveTo(grid::CellId next, bool extend) {
  if (!extend || !m_selectionStart.IsValid()) m_selectionStart = next;
  if (extend) {
    // A start left on a header by a click on it counts from the first data row or column.
    const int startRow = std::max(m_selectionStart.row, m_table.GetFixedRowCount());
    const int startCol = std::max(m_selectionStart.col, m_table.GetFixedColumnCount());
    m_table.SelectRange({std::min(startRow, next.row), std::min(startCol, next.col),
                         std::max(startRow, next.row), std::max(startCol, next.col)});
  } else {
    m_table.SelectCell(next.row, next.col);
  }
  {
    const QScopedValueRollback selecting(m_selecting, true);
    m_table.SetFocusCell(next.row, next.col);
  }
  EnsureVisible(next.row, next.col);
}

}  // namespace nuvrel::gui
