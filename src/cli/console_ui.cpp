// SPDX-License-Identifier: MIT
#include "cli/console_ui.h"

#include <unistd.h>

#include <string>

namespace nuvrel::cli {

ConsoleUi::ConsoleUi(std::FILE* out, std::FILE* err, std::FILE* in, bool assumeYes)
    : m_out(out), m_err(err), m_in(in), m_assumeYes(assumeYes) {}

void ConsoleUi::WriteLines(std::FILE* to, std::string_view text) {
  // Message texts break their lines with CR LF, as a message box wants them; a terminal wants LF.
  std::string lines;
  lines.reserve(text.size() + 1);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    lines += text[i];
  }
  lines += '\n';
  std::fwrite(lines.data(), 1, lines.size(), to);
  std::fflush(to);
}

void ConsoleUi::ShowMessage(std::string_view text, app::Icon) {
  ++m_messages;
  WriteLines(m_err, text);
}

bool ConsoleUi::Ask(std::string_view text, app::Icon, bool noIsDefault) {
  WriteLines(m_err, text);
  bool answer = false;
  bool typed = false;
  if (m_assumeYes) {
    answer = true;
  } else if (m_in && isatty(fileno(m_in))) {
    typed = true;
    std::fputs(noIsDefault ? "[y/N] " : "[Y/n] ", m_err);
    std::fflush(m_err);
    char line[64] = {};
    if (std::fgets(line, sizeof line, m_in)) {
      const char c = line[0];
      answer = (c == 'y' || c == 'Y') || (!noIsDefault && (c == '\n' || c == '\0'));
    }
  }
  if (!typed) WriteLines(m_err, answer ? "Yes" : "No");
  return answer;
}

bool ConsoleUi::ShowProblems(grid::CellTable&, const std::vector<app::CellProblem>& problems) {
  for (const app::CellProblem& problem : problems) {
    ++m_messages;
    const bool warning = problem.severity == app::Severity::Warning;
    WriteLines(m_err, std::to_string(problem.row) + ':' + std::to_string(problem.col) + ": " +
                          (warning ? "warning: " : "") + problem.message);
  }
  return !app::AnyError(problems);
}

void ConsoleUi::SetStatus(std::string_view text) {
  WriteLines(m_out, text);
}

}  // namespace nuvrel::cli
