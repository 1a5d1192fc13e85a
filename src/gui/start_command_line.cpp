// SPDX-License-Identifier: MIT
#include "gui/start_command_line.h"

#include <QCommandLineParser>
#include <cstdio>

#include "app/version.h"
#include "gui/main_window.h"

namespace nuvrel::gui {

StartCommandLine ParseStartOptions(const QStringList& args) {
  QCommandLineParser parser;
  const QCommandLineOption help({"h", "help"}, {});
  const QCommandLineOption version("version", {});
  const QCommandLineOption simulator("simulator", {});
  const QCommandLineOption noSplash("no-splash", {});
  const QCommandLineOption exitOnFirstPaint("exit-on-first-paint", {});
  const QCommandLineOption settings("settings", {}, "FILE");
  parser.addOptions({help, version, simulator, noSplash, exitOnFirstPaint, settings});
  parser.addPositionalArgument("file", {});

  StartCommandLine result;
  const bool parsed = parser.parse(QStringList{"nuvrel"} + args);
  // Asked for help or the version, the program answers that whatever else the line holds.
  if (parser.isSet(help)) {
    result.action = StartCommandLine::Action::Help;
  } else if (parser.isSet(version)) {
    result.action = StartCommandLine::Action::Version;
  } else if (!parsed) {
    result.action = StartCommandLine::Action::UsageError;
    result.error = parser.errorText();
  } else if (parser.positionalArguments().size() > 1) {
    result.action = StartCommandLine::Action::UsageError;
    result.error = "Only one sheet file can be opened.";
  }
  StartOptions& options = result.options;
  options.simulator = parser.isSet(simulator);
  options.noSplash = parser.isSet(noSplash);
  options.exitOnFirstPaint = parser.isSet(exitOnFirstPaint);
  options.settingsPath = parser.value(settings);
  if (!parser.positionalArguments().isEmpty()) options.file = parser.positionalArguments().front();
  return result;
}

int AnswerCommandLine(const StartCommandLine& commandLine) {
  constexpr const char* kUsage =
      "Usage: nuvrel [--simulator] [--no-splash] [--settings FILE] [SHEETFILE]\n";
  switch (commandLine.action) {
    case StartCommandLine::Action::Help:
      std::fputs(kUsage, stdout);
      std::printf(
          "Programs and reads an electronic cash register over a serial line.\n"
          "\n"
          "  SHEETFILE        a sheet file to read into the Articles sheet\n"
          "  --simulator      work with a simulated register started for this run\n"
          "  --no-splash      start without the title picture\n"
          "  --settings FILE  the settings file to use instead of the usual one\n"
          "  -h, --help       show this help and exit\n"
          "  --version        show the version and exit\n"
          "An option's value may follow it (--settings FILE) or be joined with '=' "
          "(--settings=FILE).\n"
          "\n"
          "The manual: %s\n",
          qPrintable(MainWindow::ManualPath()));
      return 0;
    case StartCommandLine::Action::Version: std::printf("nuvrel %s\n", NUVREL_VERSION); return 0;
    case StartCommandLine::Action::UsageError:
      std::fprintf(stderr, "nuvrel: %s\n%s", qPrintable(commandLine.error), kUsage);
      return 2;
    case StartCommandLine::Action::Run: break;
  }
  return 0;
}

}  // namespace nuvrel::gui
