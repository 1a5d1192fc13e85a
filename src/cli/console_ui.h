// SPDX-License-Identifier: MIT
// The Ui port on a terminal: status texts on stdout, one a line; message-box texts on stderr; a
// question on stderr with the answer taken; the problems a check found on stderr, one a line as
// ROW:COL: message (ROW:COL: warning: message for a warning).
#pragma once

#include <cstdio>
#include <string>

#include "app/ui.h"

namespace nuvrel::cli {

class ConsoleUi final : public app::Ui {
 public:
  // assumeYes answers every question Yes; otherwise a question is asked on a terminal and answered
  // No when standard input is not one.
  ConsoleUi(std::FILE* out, std::FILE* err, std::FILE* in, bool assumeYes);

  void ShowMessage(std::string_view text, app::Icon icon) override;
  bool Ask(std::string_view text, app::Icon icon, bool noIsDefault) override;
  // Goes on past warnings: a script that wants them to stop it runs check first.
  bool ShowProblems(grid::CellTable& table, const std::vector<app::CellProblem>& problems) override;
  void SetStatus(std::string_view text) override;
  void PumpPaintMessages() override {}
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}

  // How many messages were shown; the exit status of a command that failed silently differs from
  // one that said why.
  int MessagesShown() const { return m_messages; }

 private:
  void WriteLines(std::FILE* to, std::string_view text);

  std::FILE* m_out;
  std::FILE* m_err;
  std::FILE* m_in;
  bool m_assumeYes;
  int m_messages = 0;
};

}  // namespace nuvrel::cli
