// SPDX-License-Identifier: MIT
// The workspace: eight tabs at the bottom (seven grid sheets and the Reports pane), and the target
// of every command of the menus, the toolbar, the keys and the context menus. Each command looks at
// the current tab and calls the sheet operation or the transfer that belongs to it.
#pragma once

#include <QSettings>
#include <QStringList>
#include <QTabWidget>
#include <QUndoStack>
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "gui/commands.h"
#include "gui/register_link.h"
#include "gui/sheet_step.h"
#include "sheets/find.h"
#include "sheets/sheet_id.h"
#include "sheets/workspace.h"
#include "transfers/register_memory.h"

class QPrinter;

namespace nuvrel::app {
class SettingsFile;
}

namespace nuvrel::gui {

class GridWidget;
class ReportsEdit;
class Dialogs;
class GuiUi;
class QtTextMeasurer;

class WorkspaceView final : public QTabWidget {
  Q_OBJECT
 public:
  WorkspaceView(GuiUi& ui, Dialogs& dialogs, RegisterLink& link, QWidget* parent = nullptr);
  ~WorkspaceView() override;

  sheets::SheetId Current() const { return static_cast<sheets::SheetId>(currentIndex()); }
  void SetCurrent(sheets::SheetId id) { setCurrentIndex(sheets::Index(id)); }
  // The grid of a grid sheet (nullptr for Reports).
  GridWidget* Grid(sheets::SheetId id) const;
  ReportsEdit* Reports() const { return m_reports; }
  sheets::Workspace& Sheets() { return *m_workspace; }
  const sheets::FindMemory& FindMemory() const { return m_find; }

  bool IsEnabled(Cmd command) const;
  void Execute(Cmd command);

  // Reads a sheet file (chosen in Open, picked from the recent files or named on the command line)
  // into the current grid sheet, after asking to save what the sheet would lose. Once read, the
  // file is the sheet's: its caption names it and Save writes it. False when nothing was read.
  bool OpenFile(const QString& path);

  // Before the window closes: asks to save the sheets that hold unsaved data. False to stay open.
  bool ConfirmClose();

  // The line-info pane's text for the current state; empty to keep the previous text.
  QString LineInfo() const;

  // Whether the sheets are compared with what the register holds (View, Compare with register).
  bool Comparing() const { return m_comparing; }
  // The differences pane's text: how many cells of the current sheet differ from the register;
  // empty while not comparing or on a sheet that is never sent.
  QString DifferencesText() const { return m_differencesText; }

  // The recent files, newest first (at most four).
  QStringList RecentFiles() const;

  // What the window's title names: the current sheet's file name, or its caption when it has no
  // file; and whether that sheet holds data its file does not.
  QString DocumentName() const;
  bool DocumentModified() const;

  // The column widths of every grid sheet, kept across runs in the window settings. Widths kept for
  // another shape of a sheet (another column count) are left alone.
  void RestoreColumnWidths(const QSettings& settings);
  void StoreColumnWidths(QSettings& settings) const;

 signals:
  // Something that the enabling of a command or the line-info pane depends on has changed.
  void stateChanged();
  void recentFilesChanged();

 private:
  void UpdateSheetCaption(int index);
  // The sheet's tab caption as UTF-8 text ("Articles (a.txt)").
  std::string SheetCaption(sheets::SheetId id) const;
  void AddRecentFile(const QString& path);
  // The changes since the last step become a step of the undo stack.
  void CommitChange();
  void ApplyStep(const sheets::WorkspaceChange& change, const std::optional<ReportsChange>& reports,
                 bool undo);
  // Asks to save those of the sheets that hold unsaved data; true to go on (saved or discarded).
  bool SaveFirst(const std::vector<sheets::SheetId>& sheets);
  bool SaveSheet(sheets::SheetId id, bool saveAs);
  // Save As of the Reports pane: its text as the daily exchange wrote it.
  bool SaveReports();
  // Asks before a send would carry cells of hidden columns; true to go on.
  bool ConfirmHiddenColumns(const grid::CellTable& table, bool selection);
  void ShowContextMenu(const QPoint& globalPos, bool reports);
  void SwitchTab(int step);

  void OnOpen();
  void OnUndo(bool redo);
  void OnClearAll();
  void OnPrint(bool preview);
  void OnPrintSetup();
  // The printer of this run, set up as Print Setup (now or in an earlier run) left it.
  QPrinter& Printer();
  void OnFind();
  void OnGoToLine();
  void OnReportToArticles();
  // Sends the current sheet, whole or its selection, from the row on.
  void OnSend(bool selection, int firstRow = 1);
  // Takes up the whole-sheet upload that was cut short, at the first row the register did not take.
  void OnSendRest();
  void OnArticlesReport();
  void OnGetReports();

  // What each register holds (workspace_view_changes.cpp).
  void OnSendChanges();
  void OnRegisterHistory();
  void OnCompare(bool on);
  // Moves the focus to the next (step 1) or previous (-1) cell that differs, around the sheet.
  void OnGoToDifference(int step);
  // Marks the current sheet's cells that differ from what the register holds, when comparing.
  void RefreshDifferences();
  // Forgets what was read of the registers: after a transfer, which may have recorded more.
  void ForgetKnown() { m_known.clear(); }
  // The register to compare with: the last identified one, else the last recorded for the sheet.
  std::optional<std::uint32_t> CompareDevice(transfers::RegisterMemory& memory, sheets::SheetId id);
  // Shows the memory's warnings not shown before in this run.
  void ShowNewWarnings(transfers::RegisterMemory& memory);

  GuiUi& m_ui;
  Dialogs& m_dialogs;
  RegisterLink& m_link;
  std::unique_ptr<QtTextMeasurer> m_measurer;
  std::unique_ptr<sheets::Workspace> m_workspace;
  std::array<GridWidget*, sheets::kGridSheetCount> m_grids{};
  ReportsEdit* m_reports = nullptr;
  std::string m_reportsTaken;  // the Reports pane's text as the last step left it
  std::unique_ptr<QPrinter> m_printer;
  sheets::FindMemory m_find;
  QUndoStack m_undo;
  // Where the last whole-sheet upload that was cut short can be taken up again.
  struct Resume {
    sheets::SheetId sheet;
    int row;
  };
  std::optional<Resume> m_resume;
  bool m_comparing = false;
  QString m_differencesText;
  // What a register holds of a sheet, as last read.
  struct KnownSheet {
    std::uint32_t device = 0;
    std::unique_ptr<grid::CellTable> cells;  // nothing: none recorded, or damaged
  };
  std::map<sheets::SheetId, KnownSheet> m_known;
  std::set<std::string> m_warned;
};

}  // namespace nuvrel::gui
