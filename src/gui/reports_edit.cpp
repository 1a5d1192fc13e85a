// SPDX-License-Identifier: MIT
#include "gui/reports_edit.h"

#include <QContextMenuEvent>
#include <QScrollBar>
#include <QTextCursor>

#include "gui/text_codec.h"

namespace nuvrel::gui {

CReportsEdit::CReportsEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setUndoRedoEnabled(false);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void CReportsEdit::Append(std::string_view text) {
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  // The report's lines end in CR LF; the pane breaks at LF.
  cursor.insertText(FromCp1251(text).remove('\r'));
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void CReportsEdit::Clear() { setPlainText({}); }

void CReportsEdit::contextMenuEvent(QContextMenuEvent* event) {
  setFocus();
  const QPoint at = event->reason() == QContextMenuEvent::Keyboard
                        ? mapToGlobal(QPoint(10, 10))
                        : event->globalPos();
  emit contextMenuRequested(at);
}

}  // namespace nuvrel::gui
