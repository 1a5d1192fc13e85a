// SPDX-License-Identifier: MIT
// Undo and redo in the workspace: what the sheets and the Reports pane changed becomes a step on
// the undo stack after every command and every edit; taking a step back shows where it was.
#include <algorithm>
#include <utility>

#include "gui/grid_widget.h"
#include "gui/reports_edit.h"
#include "gui/workspace_view.h"

namespace nuvrel::gui {

using sheets::SheetId;

void WorkspaceView::OnUndo(bool redo) {
  if (GridWidget* grid = Grid(Current()); grid && !grid->EndEditing()) return;
  CommitChange();
  if (redo) {
    m_undo.redo();
  } else {
    m_undo.undo();
  }
}

void WorkspaceView::CommitChange() {
  sheets::WorkspaceChange change = m_workspace->TakeChange();
  std::optional<ReportsChange> reports;
  if (const std::string& now = m_reports->Text(); now != m_reportsTaken) {
    reports = ReportsChange{std::exchange(m_reportsTaken, now), now};
  }
  if (!change.Empty() || reports) {
    m_undo.push(new SheetStep(
        std::move(change), std::move(reports),
        [this](const sheets::WorkspaceChange& step, const std::optional<ReportsChange>& text,
               bool undo) { ApplyStep(step, text, undo); }));
  }
  // Every change of cells passes here: the marks follow it.
  RefreshDifferences();
}

void WorkspaceView::ApplyStep(const sheets::WorkspaceChange& change,
                              const std::optional<ReportsChange>& reports, bool undo) {
  if (undo) {
    m_workspace->Undo(change);
  } else {
    m_workspace->Redo(change);
  }
  if (reports) {
    m_reportsTaken = undo ? reports->before : reports->after;
    m_reports->SetText(m_reportsTaken);
  }
  for (const sheets::SheetChange& sheet : change.sheets) {
    UpdateSheetCaption(sheets::Index(sheet.id));
  }
  // Show where the step was: its sheet in front (unless the one in front was part of it) and its
  // first changed cell in view, with the keyboard.
  const auto inFront =
      std::find_if(change.sheets.begin(), change.sheets.end(),
                   [this](const sheets::SheetChange& s) { return s.id == Current(); });
  const sheets::SheetChange* shown = inFront != change.sheets.end() ? &*inFront
                                     : change.sheets.empty()        ? nullptr
                                                                    : &change.sheets.front();
  if (!shown) {
    SetCurrent(SheetId::Reports);
  } else {
    SetCurrent(shown->id);
    if (!shown->cells.empty()) {
      const sheets::CellChange& first = shown->cells.front();
      grid::CellTable& table = m_workspace->Grid(shown->id);
      table.SelectCell(first.row, first.col);
      table.SetFocusCell(first.row, first.col);
      Grid(shown->id)->EnsureVisible(first.row, first.col);
      Grid(shown->id)->setFocus();
    }
  }
  emit stateChanged();
}

}  // namespace nuvrel::gui
