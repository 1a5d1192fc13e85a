// SPDX-License-Identifier: MIT
// The grid widget's editing: opening the in-place edit over a cell, storing what was typed when
// it closes (and going on to the next cell after Tab, Enter and the moving keys), and the
// clipboard commands.
#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>
#include <optional>
#include <utility>

#include "grid/clipboard_text.h"
#include "gui/code_page_question.h"
#include "gui/grid_painter.h"
#include "gui/grid_widget.h"
#include "gui/text_codec.h"
#include "sheets/cell_types.h"

namespace nuvrel::gui {
namespace {

Qt::Alignment EditAlignment(const grid::GridCell& cell, const grid::EditSpec& style) {
  if (style.alignmentFromFormat) return HorizontalAlignment(cell.GetFormat());
  switch (style.alignment) {
    case grid::EditAlignment::Center: return Qt::AlignHCenter;
    case grid::EditAlignment::Right: return Qt::AlignRight;
    case grid::EditAlignment::Left: break;
  }
  return Qt::AlignLeft;
}

// The keys after which editing goes on in the cell they move to.
bool MovesOn(int key) {
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right: return true;
    default: return false;
  }
}

}  // namespace

bool GridWidget::StartEdit(int row, int col, CellEditor::Start start, QChar character) {
  if (!m_table.IsCellEditable(row, col)) return false;
  const grid::GridCell* cell = std::as_const(m_table).GetCell(row, col);
  // A check box is changed by clicking it, not by typing.
  if (dynamic_cast<const sheets::CheckBoxCell*>(cell)) return false;
  if (m_editor) {
    if (m_editCell == grid::CellId{row, col}) {
      m_editor->setFocus(Qt::OtherFocusReason);
      return true;
    }
    if (!EndEditing()) return false;
  }
  HideTitleTip();
  EnsureVisible(row, col);
  const QRect rect = CellRect(row, col);
  if (rect.isEmpty()) return false;

  const grid::EditSpec style = cell->Edit();
  m_editCell = {row, col};
  m_editor =
      new CellEditor(viewport(), QRect(rect.x(), rect.y(), rect.width() - 1, rect.height() - 1),
                     m_font, style, EditAlignment(*cell, style),
                     m_table.DefaultCellFor(row, col).Margin(), FromCp1251(cell->GetText()));
  connect(m_editor, &CellEditor::endRequested, this, &GridWidget::OnEditEnd);
  connect(m_editor, &QLineEdit::textChanged, this, &GridWidget::editTextChanged);
  m_editor->show();
  m_editor->setFocus(Qt::OtherFocusReason);
  m_editor->Begin(start, character);
  emit editTextChanged();
  return true;
}

bool GridWidget::EndEditing() {
  return OnEditEnd(0, Qt::NoModifier);
}

QString GridWidget::EditText() const {
  return m_editor ? m_editor->text() : QString();
}

bool GridWidget::OnEditEnd(int key, Qt::KeyboardModifiers modifiers) {
  if (!m_editor) return true;
  if (m_endingEdit) return false;
  std::string bytes;
  if (key != Qt::Key_Escape) {
    if (m_resumed) return false;
    // The question takes the focus from the edit, which would end it again meanwhile.
    m_endingEdit = true;
    std::optional<std::string> storable = StorableText(this, m_editor->text(), TextOrigin::Typed);
    m_endingEdit = false;
    if (!storable) {
      ResumeEditing();
      return false;
    }
    bytes = std::move(*storable);
  }
  m_endingEdit = true;
  CellEditor* editor = std::exchange(m_editor, nullptr);
  editor->disconnect(this);
  const grid::CellId cell = m_editCell;
  // Taking the focus back first keeps it in the grid rather than letting it wander off when
  // the edit disappears (also while the window is inactive, when the edit is merely the
  // window's focus widget).
  if (window()->focusWidget() == editor) setFocus(Qt::OtherFocusReason);
  editor->hide();
  editor->deleteLater();
  if (key != Qt::Key_Escape) {
    // The cell's own rules normalise the text ("5" in a price becomes "5.00"); a text the cell
    // refuses leaves the old one standing.
    grid::GuardedChange(m_table, cell.row, cell.col, bytes);
  }
  m_endingEdit = false;
  emit editTextChanged();
  emit edited();

  if (MovesOn(key)) {
    MoveFocus(key, modifiers);
    const grid::CellId focus = m_table.GetFocusCell();
    // The next cell opens with its text selected: what is typed replaces it.
    StartEdit(focus.row, focus.col, CellEditor::Start::SelectAll);
  }
  return true;
}

void GridWidget::ResumeEditing() {
  m_resumed = true;
  QTimer::singleShot(0, this, [this] { m_resumed = false; });
  // Whatever ended the edit may have scrolled its cell away.
  EnsureVisible(m_editCell.row, m_editCell.col);
  PlaceEditor();
  if (m_editor) m_editor->setFocus(Qt::OtherFocusReason);
  emit editResumed();
}

void GridWidget::PlaceEditor() {
  if (!m_editor || m_endingEdit) return;
  const QRect rect = CellRect(m_editCell.row, m_editCell.col);
  if (rect.isEmpty()) {
    // The cell went away or out of sight under the edit; what was typed is stored if it can be.
    EndEditing();
    return;
  }
  m_editor->setGeometry(rect.x(), rect.y(), std::max(m_editor->width(), rect.width() - 1),
                        rect.height() - 1);
}

void GridWidget::OnEditCopy() {
  if (m_table.GetSelectedCount() == 0) return;
  QGuiApplication::clipboard()->setText(FromCp1251(grid::CopyText(m_table)));
}

void GridWidget::OnEditCut() {
  if (!m_table.IsEditable() || !EndEditing()) return;
  OnEditCopy();
  grid::CutSelected(m_table);
  emit edited();
}

void GridWidget::OnEditPaste() {
  if (!m_table.IsEditable()) return;
  const grid::CellId target = grid::PasteTarget(m_table, TopLeftVisibleCell());
  if (m_editor && m_editCell == target) {
    m_editor->paste();
    return;
  }
  if (!EndEditing()) return;
  const auto bytes = StorableText(this, QGuiApplication::clipboard()->text(), TextOrigin::Pasted);
  if (!bytes) return;
  grid::PasteText(m_table, target, *bytes);
  emit edited();
}

void GridWidget::OnEditSelectAll() {
  m_table.SelectAll();
}

}  // namespace nuvrel::gui
