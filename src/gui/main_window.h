// SPDX-License-Identifier: MIT
// The main window: the title naming the current sheet's file, the five menus, the toolbar, the
// status bar with its five panes, and the help command. Commands go to the workspace view. Its size
// and place, its bars and the sheets' column widths are kept across runs.
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>

#include "gui/commands.h"

class QAction;
class QLabel;
class QMenu;
class QToolBar;

namespace nuvrel::gui {

class WorkspaceView;
class CommunicationLog;
class Dialogs;
class GuiUi;
struct RegisterLink;

class MainWindow final : public QMainWindow {
  Q_OBJECT
 public:
  MainWindow(GuiUi& ui, Dialogs& dialogs, RegisterLink& link);
  ~MainWindow() override;

  WorkspaceView& View() { return *m_view; }
  QAction* Action(Cmd command) const { return m_actions.at(command); }
  QToolBar* ToolBar() const { return m_toolBar; }
  CommunicationLog* Log() const { return m_log; }
  // The panes of the status bar after the message pane: CAP, NUM, SCRL and the line info.
  QLabel* LineInfoPane() const { return m_lineInfo; }
  // The pane that counts the cells differing from the register while they are compared.
  QLabel* DifferencesPane() const { return m_differencesPane; }

  // Refreshes the enabling and check marks of every command and the line-info pane.
  void UpdateCommands();

  // The manual beside the program.
  static QString ManualPath();

  // Runs extra commands that the view does not handle (help, about, bars, exit).
  std::function<void(Cmd)> onExtraCommand;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateStatusBar();
  void RebuildRecentFiles();
  void Dispatch(Cmd command);
  // Opens the manual in the browser; without one, says where the manual is.
  void ShowManual();

  GuiUi& m_ui;
  Dialogs& m_dialogs;
  RegisterLink& m_link;
  WorkspaceView* m_view;
  CommunicationLog* m_log;
  std::map<Cmd, QAction*> m_actions;
  QMenu* m_fileMenu = nullptr;
  QAction* m_recentSeparator = nullptr;
  QList<QAction*> m_recentActions;
  QToolBar* m_toolBar = nullptr;
  QLabel* m_capPane = nullptr;
  QLabel* m_numPane = nullptr;
  QLabel* m_scrlPane = nullptr;
  QLabel* m_lineInfo = nullptr;
  QLabel* m_differencesPane = nullptr;
};

}  // namespace nuvrel::gui
