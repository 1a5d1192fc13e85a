// SPDX-License-Identifier: MIT
#include "cli/fleet_board.h"

#include <algorithm>

namespace nuvrel::cli {
namespace {

// A live redraw for mere progress comes at most this often.
constexpr auto kDrawInterval = std::chrono::milliseconds(100);

// A message box's lines (CR LF apart) as one line.
std::string OneLine(const std::string& text) {
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      line += " / ";
      ++i;
    } else if (static_cast<unsigned char>(text[i]) < 0x20) {
      line += ' ';
    } else {
      line += text[i];
    }
  }
  return line;
}

std::string Cut(std::string text, std::size_t width) {
  if (text.size() <= width) return text;
  std::size_t cut = width;
  // Not inside a UTF-8 character.
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  text.resize(cut);
  return text;
}

std::string Result(const RegisterRow& row) {
  switch (row.state) {
    case RegisterState::Waiting: return "not started";
    case RegisterState::Running: return "running";
    case RegisterState::Succeeded: return "done";
    case RegisterState::Stopped: return "stopped";
    case RegisterState::Failed: return row.problem.empty() ? "failed" : "failed: " + row.problem;
  }
  return {};
}

std::string Pad(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

}  // namespace

FleetBoard::FleetBoard(std::vector<RegisterRow> rows, std::size_t steps, std::FILE* out,
                       std::FILE* err, bool live, std::size_t width)
    : m_rows(std::move(rows)),
      m_steps(steps),
      m_out(out),
      m_err(err),
      m_live(live),
      m_width(std::max<std::size_t>(width, 20)) {
  const std::lock_guard lock(m_mutex);
  if (m_live) Draw(true);
}

void FleetBoard::Plain(std::size_t row, const std::string& text, std::FILE* to) {
  std::string line = m_rows[row].name + ": " + OneLine(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), to);
  std::fflush(to);
}

void FleetBoard::StepStarted(std::size_t row, std::size_t step, const std::string& text) {
  const std::lock_guard lock(m_mutex);
  RegisterRow& r = m_rows[row];
  r.state = RegisterState::Running;
  r.step = text;
  r.done = r.total = 0;
  if (m_live) {
    Draw(true);
  } else {
    Plain(row, "step " + std::to_string(step + 1) + "/" + std::to_string(m_steps) + ": " + text,
          m_out);
  }
}

void FleetBoard::Progress(std::size_t row, unsigned done, unsigned total) {
  const std::lock_guard lock(m_mutex);
  m_rows[row].done = done;
  m_rows[row].total = total;
  if (m_live) Draw(false);
}

void FleetBoard::Status(std::size_t row, const std::string& text) {
  const std::lock_guard lock(m_mutex);
  if (!m_live) Plain(row, text, m_out);
}

void FleetBoard::Message(std::size_t row, const std::string& text, bool error) {
  const std::lock_guard lock(m_mutex);
  if (error) m_rows[row].problem = OneLine(text);
  if (m_live) {
    m_heldBack.push_back(m_rows[row].name + ": " + OneLine(text));
    Draw(true);
  } else {
    Plain(row, text, m_err);
  }
}

void FleetBoard::StepEnded(std::size_t row, bool ok, bool countItems) {
  const std::lock_guard lock(m_mutex);
  RegisterRow& r = m_rows[row];
  if (ok) ++r.stepsDone;
  if (countItems) r.items += r.done;
  if (m_live) Draw(true);
}

void FleetBoard::Finished(std::size_t row, RegisterState state) {
  const std::lock_guard lock(m_mutex);
  RegisterRow& r = m_rows[row];
  r.state = state;
  r.step.clear();
  if (m_live) {
    Draw(true);
  } else {
    Plain(row, Result(r), m_out);
  }
}

std::string FleetBoard::LiveLine(const RegisterRow& r) const {
  std::string line = r.name + "  ";
  switch (r.state) {
    case RegisterState::Running: {
      line += "[" + std::to_string(r.stepsDone + 1) + "/" + std::to_string(m_steps) + "] " +
              r.step + "  " + std::to_string(r.done);
      if (r.total > 0) line += "/" + std::to_string(r.total);
      break;
    }
    default:
      line += "[" + std::to_string(r.stepsDone) + "/" + std::to_string(m_steps) + "] " + Result(r);
      break;
  }
  return Cut(line, m_width);
}

void FleetBoard::Draw(bool force) {
  const auto now = std::chrono::steady_clock::now();
  if (!force && now - m_lastDraw < kDrawInterval) return;
  m_lastDraw = now;
  std::string screen;
  // Back to the first row, each row rewritten in place.
  if (m_drawn) screen += "\033[" + std::to_string(m_rows.size()) + "A";
  for (const RegisterRow& r : m_rows) screen += "\r\033[K" + LiveLine(r) + "\n";
  m_drawn = true;
  std::fwrite(screen.data(), 1, screen.size(), m_out);
  std::fflush(m_out);
}

void FleetBoard::Close() {
  const std::lock_guard lock(m_mutex);
  if (m_live) {
    Draw(true);
    for (const std::string& line : m_heldBack) std::fprintf(m_err, "%s\n", line.c_str());
    std::fflush(m_err);
  }
  const std::string table = SummaryTable(m_rows, m_steps);
  std::fwrite(table.data(), 1, table.size(), m_out);
  std::fflush(m_out);
}

std::vector<RegisterRow> FleetBoard::Rows() const {
  const std::lock_guard lock(m_mutex);
  return m_rows;
}

std::string SummaryTable(const std::vector<RegisterRow>& rows, std::size_t steps) {
  std::vector<std::vector<std::string>> cells{{"REGISTER", "PORT", "STEPS", "ITEMS", "RESULT"}};
  std::size_t succeeded = 0;
  for (const RegisterRow& r : rows) {
    if (r.state == RegisterState::Succeeded) ++succeeded;
    cells.push_back({r.name, r.port, std::to_string(r.stepsDone) + "/" + std::to_string(steps),
                     std::to_string(r.items), Result(r)});
  }
  std::vector<std::size_t> widths(5, 0);
  for (const auto& line : cells) {
    for (std::size_t c = 0; c < line.size(); ++c) widths[c] = std::max(widths[c], line[c].size());
  }
  std::string table;
  for (const auto& line : cells) {
    for (std::size_t c = 0; c + 1 < line.size(); ++c) table += Pad(line[c], widths[c] + 2);
    table += line.back() + "\n";
  }
  table += std::to_string(succeeded) + " of " + std::to_string(rows.size()) + " registers done\n";
  return table;
}

}  // namespace nuvrel::cli
