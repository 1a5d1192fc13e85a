// SPDX-License-Identifier: MIT
// The workspace: eight tabs at the bottom (seven grid sheets and the Reports pane), and the target
// of every command of the menus, the toolbar, the keys and the context menus. Each command looks at
// the current tab and calls the sheet operation or the transfer that belongs to it.
#pragma once

#include <QStringList>
#include <QTabWidget>
#include <array>
#include <memory>

#include "gui/commands.h"
#include "gui/register_link.h"
#include "sheets/find.h"
#include "sheets/sheet_id.h"
#include "sheets/workspace.h"

namespace nuvrel::app {
class SettingsFile;
}

namespace nuvrel::gui {

class CGridCtrl;
class CReportsEdit;
class Dialogs;
class GuiUi;
class QtTextMeasurer;

class CLedraView final : public QTabWidget {
  Q_OBJECT
 public:
  CLedraView(GuiUi& ui, Dialogs& dialogs, RegisterLink& link, QWidget* parent = nullptr);
  ~CLedraView() override;

  sheets::SheetId Current() const { return static_cast<sheets::SheetId>(currentIndex()); }
  void SetCurrent(sheets::SheetId id) { setCurrentIndex(sheets::Index(id)); }
  // The grid of a grid sheet (nullptr for Reports).
  CGridCtrl* Grid(sheets::SheetId id) const;
  CReportsEdit* Reports() const { return m_reports; }
  sheets::Workspace& Sheets() { return *m_workspace; }
  const sheets::FindMemory& FindMemory() const { return m_find; }

  bool IsEnabled(Cmd command) const;
  void Execute(Cmd command);

  // Reads a file named on the command line or picked from the recent files into the current grid
  // sheet; the sheet's remembered file and caption stay. False when it cannot be read.
  bool ImportFile(const QString& path);

  // The line-info pane's text for the current state; empty to keep the previous text.
  QString LineInfo() const;

  // The recent files, newest first (at most four).
  QStringList RecentFiles() const;

 signals:
  // Something that the enabling of a command or the line-info pane depends on has changed.
  void stateChanged();
  void recentFilesChanged();

 private:
  void UpdateSheetCaption(int index);
  void AddRecentFile(const QString& path);
  void ShowContextMenu(const QPoint& globalPos, bool reports);
  void SwitchTab(int step);

  void OnOpen();
  void OnSave(bool saveAs);
  void OnClearAll();
  void OnPrint(bool preview);
  void OnFind();
  void OnGoToLine();
  void OnReportToArticles();
  void OnSend(bool selection);
  void OnArticlesReport();
  void OnGetReports();

  GuiUi& m_ui;
  Dialogs& m_dialogs;
  RegisterLink& m_link;
  std::unique_ptr<QtTextMeasurer> m_measurer;
  std::unique_ptr<sheets::Workspace> m_workspace;
  std::array<CGridCtrl*, sheets::kGridSheetCount> m_grids{};
  CReportsEdit* m_reports = nullptr;
  sheets::FindMemory m_find;
};

}  // namespace nuvrel::gui
