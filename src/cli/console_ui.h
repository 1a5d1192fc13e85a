// SPDX-License-Identifier: MIT
// The Ui port on a terminal: status texts on stdout, one a line; message-box texts on stderr; a
// question on stderr with the answer taken; the problems a check found on stderr, one a line as
// ROW:COL: message (ROW:COL: warning: message for a warning); a progress bar on stderr when it is a
// terminal.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "app/ui.h"

namespace nuvrel::cli {

class ConsoleUi final : public app::Ui {
 public:
  // assumeYes answers every question Yes; otherwise a question is asked on a terminal and answered
  // No when standard input is not one. quiet leaves out the status line of each record.
  ConsoleUi(std::FILE* out, std::FILE* err, std::FILE* in, bool assumeYes, bool quiet = false);
  ~ConsoleUi() override;
  ConsoleUi(const ConsoleUi&) = delete;
  ConsoleUi& operator=(const ConsoleUi&) = delete;

  void ShowMessage(std::string_view text, app::Icon icon) override;
  bool Ask(std::string_view text, app::Icon icon, bool noIsDefault) override;
  // Goes on past warnings: a script that wants them to stop it runs check first.
  bool ShowProblems(grid::CellTable& table, const std::vector<app::CellProblem>& problems) override;
  void SetStatus(std::string_view text) override;
  void SetRecordStatus(std::string_view text) override;
  void PumpPaintMessages() override {}
  void ShowProgress(const app::Progress& progress) override;
  // Ctrl+C, while an InterruptCatcher is set up.
  bool StopRequested() override;
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}

  // A line of the tool's own on stderr (not a message of the transfer).
  void Note(std::string_view text) { WriteLines(m_err, text); }

  // How many messages were shown; the exit status of a command that failed silently differs from
  // one that said why.
  int MessagesShown() const { return m_messages; }

 private:
  void WriteLines(std::FILE* to, std::string_view text);
  // Takes the progress bar off the terminal before other text goes there.
  void ClearBar();

  std::FILE* m_out;
  std::FILE* m_err;
  std::FILE* m_in;
  bool m_assumeYes;
  bool m_quiet;
  bool m_barTerminal;  // stderr is a terminal: the progress is drawn there
  bool m_barShown = false;
  std::string m_barWhat;  // the transfer the bar's clock belongs to
  std::chrono::steady_clock::time_point m_barStart;
  std::chrono::steady_clock::time_point m_barDrawn;
  int m_messages = 0;
};

}  // namespace nuvrel::cli
