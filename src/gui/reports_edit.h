// SPDX-License-Identifier: MIT
// The Reports pane: read-only text written by the daily exchange, kept as the exchange wrote it
// (Windows-1251, CR LF) so that it is saved byte for byte, with its own context menu request and
// its own printing.
#pragma once

#include <QPlainTextEdit>
#include <string>

#include "transfers/daily_report.h"

class QPrinter;

namespace nuvrel::gui {

class ReportsEdit final : public QPlainTextEdit, public transfers::ReportPane {
  Q_OBJECT
 public:
  // A pane over `text`, which must outlive it and is changed only through the pane.
  explicit ReportsEdit(std::string& text, QWidget* parent = nullptr);

  // Appends Windows-1251 text at the end and keeps the last line in view.
  void Append(std::string_view text) override;
  void Clear() override;
  // The text as the exchange wrote it.
  const std::string& Text() const { return m_text; }
  // Replaces the text (undo and redo).
  void SetText(const std::string& text);

  // The number of pages the text takes on the printer's paper.
  int PageCount(QPrinter& printer) const;
  // Prints the text: the pages of the printer's page range, or every page.
  void PrintTo(QPrinter& printer) const;

 signals:
  void contextMenuRequested(const QPoint& globalPos);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::string& m_text;
};

}  // namespace nuvrel::gui
