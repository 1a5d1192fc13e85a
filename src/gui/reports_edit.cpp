// SPDX-License-Identifier: MIT
#include "gui/reports_edit.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <memory>

#include "gui/text_codec.h"

namespace nuvrel::gui {
namespace {

// The report's columns line up only in a fixed-pitch font; 9 points keep its widest lines on A4.
constexpr int kPrintPointSize = 9;
constexpr double kPrintMarginCm = 1.5;

// The report laid out on the printer's paper, in the printer's own pixels.
std::unique_ptr<QTextDocument> PrintDocument(const QString& text, QPrinter& printer) {
  auto document = std::make_unique<QTextDocument>();
  QFont font(QStringLiteral("Courier New"), kPrintPointSize);
  font.setStyleHint(QFont::TypeWriter);
  document->setDefaultFont(font);
  document->documentLayout()->setPaintDevice(&printer);
  document->setPlainText(text);
  // The layout takes lengths in the screen's logical pixels and scales them to the printer's.
  const QScreen* screen = QGuiApplication::primaryScreen();
  const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
  QTextFrameFormat frame = document->rootFrame()->frameFormat();
  frame.setMargin(kPrintMarginCm / 2.54 * dpi);
  document->rootFrame()->setFrameFormat(frame);
  document->setPageSize(printer.pageLayout().paintRectPixels(printer.resolution()).size());
  return document;
}

}  // namespace

ReportsEdit::ReportsEdit(std::string& text, QWidget* parent)
    : QPlainTextEdit(parent), m_text(text) {
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setUndoRedoEnabled(false);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setPlainText(FromCp1251(m_text).remove('\r'));
}

void ReportsEdit::Append(std::string_view text) {
  m_text.append(text);
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  // The report's lines end in CR LF; the pane breaks at LF.
  cursor.insertText(FromCp1251(text).remove('\r'));
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void ReportsEdit::Clear() {
  SetText({});
}

void ReportsEdit::SetText(const std::string& text) {
  m_text = text;
  setPlainText(FromCp1251(m_text).remove('\r'));
}

int ReportsEdit::PageCount(QPrinter& printer) const {
  return PrintDocument(toPlainText(), printer)->pageCount();
}

void ReportsEdit::PrintTo(QPrinter& printer) const {
  PrintDocument(toPlainText(), printer)->print(&printer);
}

void ReportsEdit::contextMenuEvent(QContextMenuEvent* event) {
  setFocus();
  // From the keyboard the menu opens at the text cursor.
  const QPoint at = event->reason() == QContextMenuEvent::Keyboard
                        ? viewport()->mapToGlobal(cursorRect().bottomLeft())
                        : event->globalPos();
  emit contextMenuRequested(at);
}

void ReportsEdit::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
    emit contextMenuRequested(viewport()->mapToGlobal(cursorRect().bottomLeft()));
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

}  // namespace nuvrel::gui
