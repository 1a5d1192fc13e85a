// SPDX-License-Identifier: MIT
#include "gui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QThread>
#include <QToolBar>
#include <QUrl>
#include <filesystem>

#include "app/format.h"
#include "app/program_files.h"
#include "app/strings.h"
#include "app/utf8_path.h"
#include "gui/communication_log.h"
#include "gui/dialogs.h"
#include "gui/grid_widget.h"
#include "gui/gui_ui.h"
#include "gui/register_link.h"
#include "gui/text_codec.h"
#include "gui/window_settings.h"
#include "gui/workspace_view.h"

namespace nuvrel::gui {
namespace {

constexpr const char* kBarStateKey = "BarState";
// Earlier versions kept the bars' state under this name: read when the new key is missing, and
// removed when the state is next written.
constexpr const char* kOldBarStateKey = "LedraHistory";
constexpr const char* kStatusBarKey = "StatusBarShown";
constexpr const char* kGeometryKey = "WindowGeometry";
// The window's size on the first run, before it has one of its own to come back to.
constexpr QSize kFirstSize(1000, 680);

}  // namespace

MainWindow::MainWindow(GuiUi& ui, Dialogs& dialogs, RegisterLink& link)
    : m_ui(ui),
      m_dialogs(dialogs),
      m_link(link),
      m_view(new WorkspaceView(ui, dialogs, link, this)),
      m_log(new CommunicationLog(dialogs, ui, this)) {
  setWindowIcon(MakeIcon(IconId::Application));
  setCentralWidget(m_view);
  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateStatusBar();
  m_ui.SetStatusBar(statusBar());
  addDockWidget(Qt::BottomDockWidgetArea, m_log);
  m_log->hide();
  m_link.onTrace = [this](const link::TraceEntry& entry) {
    // A long write runs on a worker thread while the window waits (see pumping_link.h); its entry
    // reaches the log through the window's event queue.
    if (QThread::currentThread() == m_log->thread()) {
      m_log->Add(entry);
    } else {
      QMetaObject::invokeMethod(
          m_log, [log = m_log, entry] { log->Add(entry); }, Qt::QueuedConnection);
    }
  };
  connect(m_log, &QDockWidget::visibilityChanged, this, &MainWindow::UpdateCommands);

  const WindowSettings settings;
  if (!restoreGeometry(settings.value(kGeometryKey).toByteArray())) resize(kFirstSize);
  restoreState(settings.value(kBarStateKey, settings.value(kOldBarStateKey)).toByteArray());
  statusBar()->setVisible(settings.value(kStatusBarKey, true).toBool());
  m_view->RestoreColumnWidths(settings);
  connect(m_view, &WorkspaceView::stateChanged, this, &MainWindow::UpdateCommands);
  connect(m_view, &WorkspaceView::recentFilesChanged, this, &MainWindow::RebuildRecentFiles);
  // Selecting cells changes whether "Send selected" may run; refresh after every input.
  connect(qApp, &QApplication::focusChanged, this, &MainWindow::UpdateCommands);
  UpdateCommands();
}

MainWindow::~MainWindow() {
  // Focus changes while the window goes must not reach its commands any more.
  disconnect(qApp, &QApplication::focusChanged, this, nullptr);
  disconnect(m_log, nullptr, this, nullptr);
  m_link.onTrace = nullptr;
}

void MainWindow::CreateActions() {
  for (const CommandSpec& entry : Commands()) {
    auto* action = new QAction(MenuText(entry), this);
    action->setShortcuts(entry.keys);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setStatusTip(entry.prompt);
    action->setToolTip(entry.tip);
    if (entry.icon) action->setIcon(MakeIcon(*entry.icon));
    connect(action, &QAction::triggered, this, [this, id = entry.id] { Dispatch(id); });
    m_actions[entry.id] = action;
    addAction(action);
  }
  m_actions[Cmd::ToggleToolbar]->setCheckable(true);
  m_actions[Cmd::ToggleStatusBar]->setCheckable(true);
  m_actions[Cmd::CommunicationLog]->setCheckable(true);
  m_actions[Cmd::CompareWithRegister]->setCheckable(true);
}

void MainWindow::CreateMenus() {
  m_fileMenu = menuBar()->addMenu("&File");
  for (Cmd c : {Cmd::Open, Cmd::Save, Cmd::SaveAs, Cmd::ClearAll}) m_fileMenu->addAction(Action(c));
  m_fileMenu->addSeparator();
  for (Cmd c : {Cmd::Print, Cmd::PrintPreview, Cmd::PrintSetup}) m_fileMenu->addAction(Action(c));
  m_recentSeparator = m_fileMenu->addSeparator();
  m_fileMenu->addSeparator();
  m_fileMenu->addAction(Action(Cmd::Exit));
  RebuildRecentFiles();

  QMenu* edit = menuBar()->addMenu("&Edit");
  edit->addAction(Action(Cmd::Undo));
  edit->addAction(Action(Cmd::Redo));
  edit->addSeparator();
  for (Cmd c : {Cmd::Cut, Cmd::Copy, Cmd::Paste}) edit->addAction(Action(c));
  edit->addSeparator();
  edit->addAction(Action(Cmd::SelectAll));
  edit->addSeparator();
  for (Cmd c : {Cmd::Find, Cmd::FindNext, Cmd::FindPrevious}) edit->addAction(Action(c));
  edit->addSeparator();
  edit->addAction(Action(Cmd::GoToLine));

  QMenu* ecr = menuBar()->addMenu("EC&R");
  ecr->addAction(Action(Cmd::EcrSetup));
  ecr->addSeparator();
  ecr->addAction(Action(Cmd::ReportToArticles));
  ecr->addSeparator();
  for (Cmd c : {Cmd::SendAll, Cmd::SendSelected, Cmd::SendChanges, Cmd::SendRest,
                Cmd::ArticlesReport, Cmd::GetReports, Cmd::SendLogo}) {
    ecr->addAction(Action(c));
  }
  ecr->addSeparator();
  ecr->addAction(Action(Cmd::RegisterHistory));

  QMenu* view = menuBar()->addMenu("&View");
  view->addAction(Action(Cmd::ToggleToolbar));
  view->addAction(Action(Cmd::ToggleStatusBar));
  view->addAction(Action(Cmd::CommunicationLog));
  view->addSeparator();
  for (Cmd c : {Cmd::CompareWithRegister, Cmd::NextDifference, Cmd::PreviousDifference}) {
    view->addAction(Action(c));
  }
  view->addSeparator();
  view->addAction(Action(Cmd::NextTab));
  view->addAction(Action(Cmd::PreviousTab));

  QMenu* help = menuBar()->addMenu("&Help");
  help->addAction(Action(Cmd::Help));
  help->addSeparator();
  help->addAction(Action(Cmd::About));

  // A menu opened by the first click after start-up shows the bars and the enabling as they stand,
  // not as they stood before the window was shown.
  for (QMenu* menu : {m_fileMenu, edit, ecr, view, help}) {
    connect(menu, &QMenu::aboutToShow, this, &MainWindow::UpdateCommands);
  }
}

void MainWindow::RebuildRecentFiles() {
  for (QAction* action : m_recentActions) {
    m_fileMenu->removeAction(action);
    action->deleteLater();
  }
  m_recentActions.clear();
  const QStringList files = m_view->RecentFiles();
  QAction* before = m_fileMenu->actions().at(m_fileMenu->actions().indexOf(m_recentSeparator) + 1);
  if (files.isEmpty()) {
    auto* none = new QAction("Recent File", this);
    none->setEnabled(false);
    m_fileMenu->insertAction(before, none);
    m_recentActions.append(none);
    return;
  }
  for (int i = 0; i < files.size(); ++i) {
    auto* action =
        new QAction(QString("&%1 %2").arg(i + 1).arg(QFileInfo(files[i]).fileName()), this);
    action->setStatusTip("Open this document");
    action->setToolTip(files[i]);
    connect(action, &QAction::triggered, this, [this, path = files[i]] {
      m_view->OpenFile(path);
      UpdateCommands();
    });
    m_fileMenu->insertAction(before, action);
    m_recentActions.append(action);
  }
}

void MainWindow::CreateToolBar() {
  m_toolBar = addToolBar("Toolbar");
  m_toolBar->setObjectName("Toolbar");
  m_toolBar->setIconSize(QSize(16, 16));
  const Cmd groups[][7] = {
      {Cmd::Open, Cmd::Save, Cmd::ClearAll},
      {Cmd::Print, Cmd::PrintPreview},
      {Cmd::Find},
      {Cmd::Cut, Cmd::Copy, Cmd::Paste},
      {Cmd::ReportToArticles},
      {Cmd::SendAll, Cmd::SendSelected, Cmd::SendChanges, Cmd::ArticlesReport, Cmd::GetReports,
       Cmd::SendLogo},
      {Cmd::Help, Cmd::About},
  };
  const int sizes[] = {3, 2, 1, 3, 1, 6, 2};
  for (std::size_t g = 0; g < std::size(groups); ++g) {
    if (g > 0) m_toolBar->addSeparator();
    for (int i = 0; i < sizes[g]; ++i) m_toolBar->addAction(Action(groups[g][i]));
  }
}

void MainWindow::CreateStatusBar() {
  auto pane = [this](const QString& sample) {
    auto* label = new QLabel(this);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(sample) + 10);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar()->addPermanentWidget(label);
    return label;
  };
  m_capPane = pane("CAP");
  m_numPane = pane("NUM");
  m_scrlPane = pane("SCRL");
  // Shown while the sheet is compared with the register: how many cells differ.
  m_differencesPane = new QLabel(this);
  m_differencesPane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  m_differencesPane->hide();
  statusBar()->addPermanentWidget(m_differencesPane);
  m_lineInfo = new QLabel(this);
  m_lineInfo->setFixedWidth(150);
  m_lineInfo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  statusBar()->addPermanentWidget(m_lineInfo);
  statusBar()->showMessage(FromUtf8(app::Text(app::Sid::IdleStatus)));
}

void MainWindow::UpdateCommands() {
  for (auto& [command, action] : m_actions) action->setEnabled(m_view->IsEnabled(command));
  m_actions[Cmd::ToggleToolbar]->setChecked(m_toolBar->isVisible());
  m_actions[Cmd::ToggleStatusBar]->setChecked(statusBar()->isVisible());
  m_actions[Cmd::CommunicationLog]->setChecked(m_log->isVisible());
  m_actions[Cmd::CompareWithRegister]->setChecked(m_view->Comparing());
  const QString differences = m_view->DifferencesText();
  m_differencesPane->setText(differences);
  m_differencesPane->setVisible(!differences.isEmpty());
  const QString info = m_view->LineInfo();
  if (!info.isEmpty()) m_lineInfo->setText(info);
  setWindowTitle(FromUtf8(app::Format(app::Sid::WindowTitle, {m_view->DocumentName().toStdString(),
                                                              app::Text(app::Sid::AppTitle)})));
  setWindowModified(m_view->DocumentModified());
}

bool MainWindow::event(QEvent* event) {
  // Key and mouse input may change the selection of the current grid, on which "Send selected"
  // depends; refresh the commands after it has been handled.
  const bool handled = QMainWindow::event(event);
  if (event->type() == QEvent::KeyRelease || event->type() == QEvent::MouseButtonRelease ||
      event->type() == QEvent::WindowActivate) {
    UpdateCommands();
  }
  return handled;
}

QString MainWindow::ManualPath() {
  // The manual carries the program's name: beside the program in a build folder, in the data
  // folder of an installed one.
  const std::filesystem::path program = app::Utf8Path(app::ProgramPath());
  return FromUtf8(app::ShippedFile(app::PathText(program.parent_path()),
                                   app::PathText(program.stem()) + ".html"));
}

void MainWindow::ShowManual() {
  const QString path = ManualPath();
  if (!QFileInfo::exists(path)) {
    m_ui.ShowMessage(app::Format(app::Sid::ManualMissing, {path.toStdString()}),
                     app::Icon::Information);
  } else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path))) {
    // No browser (or none the desktop knows of): the person can still open the file by hand.
    m_ui.ShowMessage(app::Format(app::Sid::ManualNoViewer, {path.toStdString()}),
                     app::Icon::Information);
  }
}

void MainWindow::Dispatch(Cmd command) {
  switch (command) {
    case Cmd::ToggleToolbar: m_toolBar->setVisible(!m_toolBar->isVisible()); break;
    case Cmd::ToggleStatusBar: statusBar()->setVisible(!statusBar()->isVisible()); break;
    case Cmd::CommunicationLog: m_log->setVisible(!m_log->isVisible()); break;
    case Cmd::Help: ShowManual(); break;
    case Cmd::Exit: close(); break;
    case Cmd::About: m_dialogs.About(this); break;
    case Cmd::EcrSetup:
    case Cmd::SendLogo:
      if (onExtraCommand) onExtraCommand(command);
      break;
    default: m_view->Execute(command); break;
  }
  UpdateCommands();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A transfer runs to its end on this thread; closing now would leave it driving the register
  // behind a hidden window.
  if (m_ui.TransferRunning()) {
    QApplication::beep();
    event->ignore();
    return;
  }
  if (!m_view->ConfirmClose()) {
    event->ignore();
    return;
  }
  // One object for all of it: each one writes the whole file again as it goes.
  WindowSettings settings;
  settings.setValue(kGeometryKey, saveGeometry());
  settings.setValue(kBarStateKey, saveState());
  settings.remove(kOldBarStateKey);
  settings.setValue(kStatusBarKey, statusBar()->isVisible());
  m_view->StoreColumnWidths(settings);
  QMainWindow::closeEvent(event);
}

}  // namespace nuvrel::gui
