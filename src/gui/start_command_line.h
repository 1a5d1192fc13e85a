// SPDX-License-Identifier: MIT
// The desktop program's command line, read with Qt's parser: the start options, --help and
// --version, and the usage error for anything it does not know.
#pragma once

#include <QString>
#include <QStringList>

#include "gui/session.h"

namespace nuvrel::gui {

// What a command line asks for: a run with its options, the help or version text alone, or nothing
// but a usage error. Options take their value as "--settings FILE" or "--settings=FILE".
struct StartCommandLine {
  enum class Action { Run, Help, Version, UsageError };
  Action action = Action::Run;
  StartOptions options;
  QString error;  // for UsageError
};

// Parses the program's arguments (without the program name).
StartCommandLine ParseStartOptions(const QStringList& args);

// Prints the help, the version or the usage error of a command line that asks for no run, and
// returns the exit status (0, or 2 for a usage error).
int AnswerCommandLine(const StartCommandLine& commandLine);

}  // namespace nuvrel::gui
