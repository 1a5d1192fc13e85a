// SPDX-License-Identifier: MIT
// The desktop program's command line: what each line asks for, and the real program answering
// --help and --version without a window system and refusing what it does not know with status 2.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/version.h"
#include "gui/start_command_line.h"
#include "support/child_process.h"

namespace nuvrel::gui {
namespace {

using Action = StartCommandLine::Action;

TEST(StartCommandLineParse, OptionsInBothSpellingsAndWhatIsRefused) {
  struct Case {
    QStringList args;
    Action action;
    QString file;
    QString settings;
    bool simulator = false;
  };
  const Case cases[] = {
      {{}, Action::Run, "", ""},
      {{"--settings=a.ini", "x.txt"}, Action::Run, "x.txt", "a.ini"},
      {{"x.txt", "--settings", "a.ini", "--simulator"}, Action::Run, "x.txt", "a.ini", true},
      {{"--", "--help"}, Action::Run, "--help", ""},
      {{"--help"}, Action::Help, "", ""},
      {{"-h", "--bogus"}, Action::Help, "", ""},
      {{"--version"}, Action::Version, "", ""},
      {{"--bogus"}, Action::UsageError, "", ""},
      {{"--settings"}, Action::UsageError, "", ""},
      {{"--simulator=yes"}, Action::UsageError, "", ""},
      {{"a.txt", "b.txt"}, Action::UsageError, "", ""},
  };
  for (const Case& c : cases) {
    const StartCommandLine parsed = ParseStartOptions(c.args);
    const std::string args = c.args.join(' ').toStdString();
    EXPECT_EQ(parsed.action, c.action) << args;
    EXPECT_EQ(parsed.action == Action::UsageError, !parsed.error.isEmpty()) << args;
    if (c.action != Action::Run) continue;
    EXPECT_EQ(parsed.options.file, c.file) << args;
    EXPECT_EQ(parsed.options.settingsPath, c.settings) << args;
    EXPECT_EQ(parsed.options.simulator, c.simulator) << args;
  }
  const StartOptions all =
      ParseStartOptions({"--no-splash", "--exit-on-first-paint", "--simulator"}).options;
  EXPECT_TRUE(all.noSplash && all.exitOnFirstPaint && all.simulator);
}

TEST(StartCommandLineProgram, HelpAndVersionNeedNoDisplayUnknownOptionsExitTwo) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;  // expected at the start of stdout
    std::string err;  // expected in stderr
  };
  const std::string version = std::string("nuvrel ").append(NUVREL_VERSION).append("\n");
  const Case cases[] = {
      {{"--help"}, 0, "Usage: nuvrel [--simulator]", ""},
      {{"--version"}, 0, version, ""},
      {{"--bogus"}, 2, "", "nuvrel: Unknown option 'bogus'.\nUsage: nuvrel"},
      {{"--settings"}, 2, "", "nuvrel: Missing value after '--settings'.\nUsage: nuvrel"},
  };
  for (const Case& c : cases) {
    // --help and --version on the X window system with no display to reach: it is not needed.
    std::vector<std::string> command = {"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY"};
    command.push_back(c.status == 0 ? "QT_QPA_PLATFORM=xcb" : "QT_QPA_PLATFORM=offscreen");
    command.push_back(NUVREL_GUI_PATH);
    command.insert(command.end(), c.args.begin(), c.args.end());
    const test::RunResult r = test::RunProgram("/usr/bin/env", command);
    const std::string args = testing::PrintToString(c.args);
    EXPECT_EQ(r.status, c.status) << args << "\n" << r.err;
    EXPECT_EQ(r.out.substr(0, c.out.size()), c.out) << args;
    EXPECT_NE(r.err.find(c.err), std::string::npos) << args << "\n" << r.err;
  }
}

}  // namespace
}  // namespace nuvrel::gui
