// SPDX-License-Identifier: MIT
#include "gui/session.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QSplashScreen>
#include <QStatusBar>

#include "app/format.h"
#include "app/settings.h"
#include "app/settings_file.h"
#include "gui/artwork.h"
#include "gui/deferred_icon_style.h"
#include "gui/dialogs.h"
#include "gui/ecr_setup_dialog.h"
#include "gui/embedded_simulator.h"
#include "gui/exec_modal.h"
#include "gui/first_paint_exit.h"
#include "gui/gui_ui.h"
#include "gui/logo_manager_dialog.h"
#include "gui/main_window.h"
#include "gui/text_codec.h"
#include "gui/window_settings.h"
#include "gui/workspace_view.h"
#include "link/port_map.h"
#include "link/port_scan.h"
#include "transfers/logo.h"

namespace nuvrel::gui {
namespace {

// Closes the splash screen when the window is first painted. QSplashScreen::finish waits for the
// same moment, but polls for it with sleeps of 10 ms.
class SplashCloser final : public QObject {
 public:
  SplashCloser(QSplashScreen& splash, QWidget& window) : QObject(&window), m_splash(&splash) {
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      if (m_splash) m_splash->close();
    }
    return false;
  }

 private:
  QPointer<QSplashScreen> m_splash;
};

}  // namespace

Session::Session(const StartOptions& options, Dialogs& dialogs)
    : m_settingsPath(options.settingsPath.isEmpty() ? app::SettingsFile::DefaultPath("nuvrel")
                                                    : options.settingsPath.toStdString()),
      m_settings(m_settingsPath),
      m_ui(nullptr),
      m_dialogs(dialogs) {
  m_link.comPortIndex = app::ReadComPortIndex(m_settings);
  link::PortMap ports = link::PortMap::FromSettings(m_settings);
  if (options.simulator) {
    if (m_simulator.Start()) {
      // The configured port leads to the simulated register for this run; the settings file keeps
      // the real device.
      const int index = m_link.comPortIndex;
      if (index >= 0 && index < static_cast<int>(ports.devices.size())) {
        ports.devices[static_cast<std::size_t>(index)] = m_simulator.Device().toStdString();
      }
      m_link.simulatedDevice = m_simulator.Device();
    } else {
      m_startError = m_simulator.Error();
    }
  }
  m_portMap = ports;
  m_link.ports = std::make_unique<link::SerialPortOpener>(ports, &m_link.trace);

  UseWindowSettingsFile(QString::fromStdString(m_settingsPath));
  if (options.settingsPath.isEmpty()) {
    WindowSettings windowSettings;
    MigrateWindowSettings(OldWindowSettingsFile(), windowSettings);
  }
  m_window = std::make_unique<MainWindow>(m_ui, m_dialogs, m_link);
  m_ui.SetWindow(m_window.get());
  m_window->onExtraCommand = [this](Cmd command) { RunExtraCommand(command); };
  if (!m_link.simulatedDevice.isEmpty()) {
    const QString note =
        FromUtf8(app::Format(app::Sid::SimulatedRegister, {m_link.simulatedDevice.toStdString()}));
    auto* pane = new QLabel(note, m_window.get());
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_window->statusBar()->insertPermanentWidget(0, pane);
  }
}

Session::~Session() {
  app::WriteComPortIndex(m_settings, m_link.comPortIndex);
}

void Session::RunExtraCommand(Cmd command) {
  if (command == Cmd::EcrSetup) {
    EcrSetupDialog dialog(m_link.comPortIndex, m_portMap, link::FindSerialPorts(), *m_link.ports,
                          m_link.identity, m_ui, m_window.get());
    if (ExecModal(dialog) != QDialog::Accepted) return;
    m_link.comPortIndex = dialog.PortIndex();
    StorePorts(dialog.Ports());
  } else if (command == Cmd::SendLogo) {
    LogoManagerDialog dialog(m_logo, m_settings, m_ui, m_link, m_window.get());
    ExecModal(dialog);
  }
}

void Session::StorePorts(const link::PortMap& ports) {
  if (ports.devices == m_portMap.devices) return;
  // Only the ports the person changed: one that leads to the simulated register keeps the real
  // device in the settings.
  for (unsigned n = 1; n <= ports.devices.size(); ++n) {
    if (ports.DeviceFor(n) != m_portMap.DeviceFor(n)) {
      app::WriteDevicePathForPort(m_settings, static_cast<int>(n), ports.DeviceFor(n));
    }
  }
  m_portMap = ports;
  m_link.ports = std::make_unique<link::SerialPortOpener>(m_portMap, &m_link.trace);
}

int RunWindowProgram(const StartOptions& options) {
  // Before the first widget, so that every widget asks it.
  QApplication::setStyle(new DeferredIconStyle);
  std::unique_ptr<QSplashScreen> splash;
  if (!options.noSplash) {
    splash = std::make_unique<QSplashScreen>(TitlePicture());
    splash->show();
    QApplication::processEvents();
  }

  QtDialogs dialogs;
  Session session(options, dialogs);
  MainWindow& window = session.Window();

  if (!options.file.isEmpty() && !window.View().OpenFile(options.file)) return 1;

  // Owned by the window, which it watches.
  const FirstPaintExit* exitOnPaint =
      options.exitOnFirstPaint ? new FirstPaintExit(window) : nullptr;
  if (splash) new SplashCloser(*splash, window);  // owned by the window
  window.show();
  if (!session.StartError().isEmpty()) {
    session.Ui().ShowMessage(session.StartError().toStdString(), app::Icon::Error);
  }
  // Painted while a message box at start waited: there is nothing left to wait for.
  if (exitOnPaint && exitOnPaint->Painted()) return 0;
  return QApplication::exec();
}

}  // namespace nuvrel::gui
