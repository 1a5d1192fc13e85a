// SPDX-License-Identifier: MIT
#include "cli/console_ui.h"

#include <string>

#include "cli/interrupt.h"
#include "cli/progress_line.h"
#include "cli/terminal.h"

namespace nuvrel::cli {
namespace {

constexpr auto kBarInterval = std::chrono::milliseconds(50);

}  // namespace

ConsoleUi::ConsoleUi(std::FILE* out, std::FILE* err, std::FILE* in, bool assumeYes, bool quiet)
    : m_out(out),
      m_err(err),
      m_in(in),
      m_assumeYes(assumeYes),
      m_quiet(quiet),
      m_barTerminal(IsTerminal(err)) {}

ConsoleUi::~ConsoleUi() {
  ClearBar();
}

void ConsoleUi::ClearBar() {
  if (!m_barShown) return;
  std::fputs("\r\033[K", m_err);
  std::fflush(m_err);
  m_barShown = false;
}

void ConsoleUi::WriteLines(std::FILE* to, std::string_view text) {
  ClearBar();
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
  } else if (IsTerminal(m_in)) {
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

void ConsoleUi::SetRecordStatus(std::string_view text) {
  if (!m_quiet) SetStatus(text);
}

void ConsoleUi::ShowProgress(const app::Progress& progress) {
  if (!m_barTerminal) return;
  const auto now = std::chrono::steady_clock::now();
  const bool start = progress.done == 0 || progress.what != m_barWhat;
  if (start) {
    m_barWhat = progress.what;
    m_barStart = now;
  }
  // A report's records come far faster than anyone reads a bar: it is drawn again at most every
  // kBarInterval, unless a status line has just taken it away.
  if (!start && m_barShown && now - m_barDrawn < kBarInterval) return;
  m_barDrawn = now;
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(now - m_barStart);
  const std::string line = ProgressLine(progress, elapsed, TerminalColumns(m_err));
  std::fputs("\r\033[K", m_err);
  std::fputs(line.c_str(), m_err);
  std::fflush(m_err);
  m_barShown = true;
}

bool ConsoleUi::StopRequested() {
  return Interrupted();
}

}  // namespace nuvrel::cli
