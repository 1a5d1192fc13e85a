// SPDX-License-Identifier: MIT
// What `nuvrel-cli fleet` shows while the registers are programmed: on a terminal one live line per
// register (its step, items, state), redrawn in place; otherwise plain lines as things happen.
// Then a summary table. Every call may come from any register's thread.
#pragma once

#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace nuvrel::cli {

enum class RegisterState { Waiting, Running, Succeeded, Failed, Stopped };

struct RegisterRow {
  std::string name;
  std::string port;
  RegisterState state = RegisterState::Waiting;
  std::size_t stepsDone = 0;
  std::string step;     // the running step, as written
  unsigned done = 0;    // items of the running step so far
  unsigned total = 0;   // items of the running step in all; 0 while not known
  unsigned items = 0;   // items sent or read by the steps done
  std::string problem;  // the message that ended it, on one line
};

class FleetBoard {
 public:
  // live: redraw the rows in place (out is a terminal); otherwise plain lines on out, and the
  // messages of the transfers on err.
  FleetBoard(std::vector<RegisterRow> rows, std::size_t steps, std::FILE* out, std::FILE* err,
             bool live, std::size_t width = 80);

  void StepStarted(std::size_t row, std::size_t step, const std::string& text);
  void Progress(std::size_t row, unsigned done, unsigned total);
  // A status text of the transfer ("12 items successfully sent!").
  void Status(std::size_t row, const std::string& text);
  // A message box's text; an error becomes the row's problem.
  void Message(std::size_t row, const std::string& text, bool error);
  // countItems: the step's items go into the row's total (uploads and reports, not the logo).
  void StepEnded(std::size_t row, bool ok, bool countItems);
  void Finished(std::size_t row, RegisterState state);

  // The last live draw, the messages kept back while drawing, and the summary table.
  void Close();

  std::vector<RegisterRow> Rows() const;

 private:
  void Draw(bool force);  // with the lock held
  std::string LiveLine(const RegisterRow& row) const;
  void Plain(std::size_t row, const std::string& text, std::FILE* to);

  mutable std::mutex m_mutex;
  std::vector<RegisterRow> m_rows;
  std::size_t m_steps;
  std::FILE* m_out;
  std::FILE* m_err;
  bool m_live;
  std::size_t m_width;
  bool m_drawn = false;
  std::chrono::steady_clock::time_point m_lastDraw{};
  std::vector<std::string> m_heldBack;  // messages shown after the live lines
};

// The summary: one row per register (name, port, steps done, items, result) and a closing count.
std::string SummaryTable(const std::vector<RegisterRow>& rows, std::size_t steps);

}  // namespace nuvrel::cli
