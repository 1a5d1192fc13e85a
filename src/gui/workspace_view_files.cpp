// SPDX-License-Identifier: MIT
// The workspace's files: Open, Save and Save As of the sheet in front, the question before unsaved
// data would be lost, Clear all, the tab captions and the recent files.
#include <QFileInfo>

#include "app/format.h"
#include "app/strings.h"
#include "gui/dialogs.h"
#include "gui/grid_widget.h"
#include "gui/gui_ui.h"
#include "gui/reports_edit.h"
#include "gui/text_codec.h"
#include "gui/window_settings.h"
#include "gui/workspace_view.h"
#include "sheets/sheet_file.h"

namespace nuvrel::gui {
namespace {

using sheets::SheetId;

constexpr int kRecentFiles = 4;
constexpr const char* kRecentKey = "RecentFiles";

}  // namespace

std::string WorkspaceView::SheetCaption(SheetId id) const {
  const int index = sheets::Index(id);
  const sheets::SheetFile& file = m_workspace->File(id);
  return file.Empty() ? std::string(app::Text(app::SheetCaption(index)))
                      : app::Format(app::Text(app::SheetFileCaption(index)), {file.Name()});
}

void WorkspaceView::UpdateSheetCaption(int index) {
  const auto id = static_cast<SheetId>(index);
  if (!sheets::IsGridSheet(id)) return;
  // The caption follows the sheet's file in every case, also when Clear all runs from the Reports
  // tab (a caption naming a file the sheet has forgotten would mislead).
  setTabText(index, FromUtf8(SheetCaption(id)));
}

void WorkspaceView::OnOpen() {
  if (!Grid(Current())) return;
  if (const auto path = m_dialogs.OpenFileName(this)) OpenFile(*path);
}

bool WorkspaceView::OpenFile(const QString& path) {
  const SheetId id = Current();
  GridWidget* grid = Grid(id);
  if (!grid) return true;
  if (!grid->EndEditing() || !SaveFirst({id})) return false;
  const QString absolute = QFileInfo(path).absoluteFilePath();
  const std::filesystem::path file = ToPath(absolute);
  const bool read = sheets::SheetTextReader(grid->Table()).ReadSheetFile(file, m_ui);
  // A file read only in part is not the sheet's: saving would cut it short.
  if (read) {
    m_workspace->File(id).path = file;
    m_workspace->MarkSaved(id);
    UpdateSheetCaption(sheets::Index(id));
    AddRecentFile(absolute);
  }
  CommitChange();
  emit stateChanged();
  return read;
}

bool WorkspaceView::SaveSheet(SheetId id, bool saveAs) {
  GridWidget* grid = Grid(id);
  if (!grid) return false;
  // What is being typed is part of what the person saves.
  if (!grid->EndEditing()) return false;
  const sheets::SheetFile& file = m_workspace->File(id);
  std::filesystem::path path = file.path;
  if (saveAs || file.Empty()) {
    const auto chosen = m_dialogs.SaveFileName(this, FileKind::Sheet);
    if (!chosen) return false;
    path = ToPath(QFileInfo(*chosen).absoluteFilePath());
  }
  if (!sheets::SheetTextWriter(grid->Table()).WriteSheetFile(path, m_ui)) return false;
  if (path == file.path) {
    m_workspace->MarkSaved(id);
  } else {
    m_workspace->SavedAs(id, path);
  }
  UpdateSheetCaption(sheets::Index(id));
  AddRecentFile(FromPath(path));
  return true;
}

bool WorkspaceView::SaveFirst(const std::vector<SheetId>& sheets) {
  std::vector<SheetId> unsaved;
  std::string captions;
  for (SheetId id : sheets) {
    if (!m_workspace->HasUnsavedData(id)) continue;
    unsaved.push_back(id);
    captions += (captions.empty() ? "    " : "\r\n    ") + SheetCaption(id);
  }
  if (unsaved.empty()) return true;
  switch (m_ui.AskToSave(app::Format(app::Sid::UnsavedSheets, {captions}))) {
    case SaveChoice::Cancel: return false;
    case SaveChoice::Discard: return true;
    case SaveChoice::Save: break;
  }
  for (SheetId id : unsaved) {
    // The sheet in front, so the person sees which one a Save As dialog is for.
    SetCurrent(id);
    if (!SaveSheet(id, false)) return false;
  }
  return true;
}

bool WorkspaceView::ConfirmClose() {
  if (GridWidget* grid = Grid(Current()); grid && !grid->EndEditing()) return false;
  std::vector<SheetId> sheets;
  for (const sheets::SheetInfo& info : sheets::GridSheets()) sheets.push_back(info.id);
  return SaveFirst(sheets);
}

void WorkspaceView::OnClearAll() {
  if (m_workspace->AnyModified()) {
    std::string question(app::Text(app::Sid::ResetAllData));
    std::string unsaved;
    for (const sheets::SheetInfo& info : sheets::GridSheets()) {
      if (!m_workspace->HasUnsavedData(info.id)) continue;
      unsaved += (unsaved.empty() ? "" : ", ") + SheetCaption(info.id);
    }
    if (!unsaved.empty()) question += "\r\n\r\n" + app::Format(app::Sid::NotSavedNote, {unsaved});
    // Every sheet is emptied: Enter alone must not do that.
    if (!m_ui.Ask(question, app::Icon::Question, true)) return;
  }
  app::WaitCursor wait(m_ui);
  for (const sheets::SheetInfo& info : sheets::GridSheets()) {
    m_workspace->File(info.id).Forget();
    UpdateSheetCaption(sheets::Index(info.id));
    sheets::ClearSheetData(m_workspace->Grid(info.id));
    Grid(info.id)->viewport()->repaint();
  }
  m_reports->Clear();
}

QStringList WorkspaceView::RecentFiles() const {
  return WindowSettings().value(kRecentKey).toStringList().mid(0, kRecentFiles);
}

void WorkspaceView::AddRecentFile(const QString& path) {
  QStringList files = RecentFiles();
  files.removeAll(path);
  files.prepend(path);
  WindowSettings().setValue(kRecentKey, files.mid(0, kRecentFiles));
  emit recentFilesChanged();
}

}  // namespace nuvrel::gui
