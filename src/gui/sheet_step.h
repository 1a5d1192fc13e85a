// SPDX-License-Identifier: MIT
// One step on the undo stack: the cells (and files) a command or an edit changed in the sheets, and
// the Reports pane's text when it changed. The step is made when it happens; the stack only takes
// it back and makes it again.
#pragma once

#include <QUndoCommand>
#include <functional>
#include <optional>
#include <string>

#include "sheets/workspace_change.h"

namespace nuvrel::gui {

// The pane's text as the daily exchange wrote it (Windows-1251).
struct ReportsChange {
  std::string before;
  std::string after;
};

class SheetStep final : public QUndoCommand {
 public:
  using Apply = std::function<void(const sheets::WorkspaceChange&,
                                   const std::optional<ReportsChange>&, bool undo)>;

  SheetStep(sheets::WorkspaceChange change, std::optional<ReportsChange> reports, Apply apply)
      : m_change(std::move(change)), m_reports(std::move(reports)), m_apply(std::move(apply)) {}

  void undo() override { m_apply(m_change, m_reports, true); }
  void redo() override {
    // Pushed after it happened: the first redo has nothing to do.
    if (m_done) m_apply(m_change, m_reports, false);
    m_done = true;
  }

 private:
  sheets::WorkspaceChange m_change;
  std::optional<ReportsChange> m_reports;
  Apply m_apply;
  bool m_done = false;
};

}  // namespace nuvrel::gui
