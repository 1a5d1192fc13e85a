// SPDX-License-Identifier: MIT
// The Reports pane: read-only text written by the daily exchange, with its own context menu
// request.
#pragma once

#include <QPlainTextEdit>

#include "transfers/daily_report.h"

namespace nuvrel::gui {

class CReportsEdit final : public QPlainTextEdit, public transfers::ReportPane {
  Q_OBJECT
 public:
  explicit CReportsEdit(QWidget* parent = nullptr);

  // Appends Windows-1251 text at the end and keeps the last line in view.
  void Append(std::string_view text) override;
  void Clear() override;

 signals:
  void contextMenuRequested(const QPoint& globalPos);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
};

}  // namespace nuvrel::gui
