// SPDX-License-Identifier: MIT
// nuvrel: the desktop program.
#include <QApplication>

#include "app/version.h"
#include "gui/session.h"
#include "gui/start_command_line.h"

int main(int argc, char** argv) {
  using nuvrel::gui::StartCommandLine;
  // --help and --version are answered before the window system is needed; the window system's own
  // options (-platform, -style, ...) are known only once it has taken them off the line.
  QStringList args;
  for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  const StartCommandLine early = nuvrel::gui::ParseStartOptions(args);
  if (early.action == StartCommandLine::Action::Help ||
      early.action == StartCommandLine::Action::Version) {
    return nuvrel::gui::AnswerCommandLine(early);
  }

  QApplication app(argc, argv);
  QApplication::setOrganizationName("Nuvrel");
  QApplication::setApplicationName("NuvrelSr");
  QApplication::setApplicationVersion(NUVREL_VERSION);
  QGuiApplication::setDesktopFileName("org.nuvrel.Nuvrel");
  const StartCommandLine commandLine =
      nuvrel::gui::ParseStartOptions(QApplication::arguments().mid(1));
  if (commandLine.action != StartCommandLine::Action::Run) {
    return nuvrel::gui::AnswerCommandLine(commandLine);
  }
  return nuvrel::gui::RunWindowProgram(commandLine.options);
}
