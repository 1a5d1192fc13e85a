// SPDX-License-Identifier: MIT
// The desktop program's run: start-up in its fixed order (splash, settings, main window and view,
// the file named on the command line, show, splash gone) and the end of run that stores the port.
#pragma once

#include <QStringList>
#include <memory>

#include "app/settings_file.h"
#include "gui/commands.h"
#include "gui/embedded_simulator.h"
#include "gui/gui_ui.h"
#include "gui/main_window.h"
#include "gui/workspace_view.h"
#include "transfers/logo.h"

namespace nuvrel::gui {

class Dialogs;

struct StartOptions {
  QString file;            // a sheet file to read into the current sheet
  bool simulator = false;  // run against a simulated register started for this run
  bool noSplash = false;
  bool exitOnFirstPaint = false;  // end once the window has been painted (timing start-up)
  QString settingsPath;           // empty: the settings file beside the program
};

// Everything one run holds: the settings, the person's Ui, the register link, the logo state and
// the main window. Ending it writes the port back to the settings file.
class Session {
 public:
  Session(const StartOptions& options, Dialogs& dialogs);
  ~Session();

  MainWindow& Window() { return *m_window; }
  GuiUi& Ui() { return m_ui; }
  RegisterLink& Link() { return m_link; }
  app::SettingsFile& Settings() { return m_settings; }
  // Why the simulated register could not be started, if it was asked for.
  const QString& StartError() const { return m_startError; }

  void RunExtraCommand(Cmd command);

 private:
  // Makes the ports lead to the devices given, and keeps the changed ones in the settings file.
  void StorePorts(const link::PortMap& ports);

  std::string m_settingsPath;
  app::SettingsFile m_settings;
  GuiUi m_ui;
  Dialogs& m_dialogs;
  EmbeddedSimulator m_simulator;
  RegisterLink m_link;
  link::PortMap m_portMap;
  transfers::LogoState m_logo;
  QString m_startError;
  std::unique_ptr<MainWindow> m_window;
};

// Runs the program; returns its exit status.
int RunWindowProgram(const StartOptions& options);

}  // namespace nuvrel::gui
