// SPDX-License-Identifier: MIT
// A Ui that records every call, and answers questions from a prepared list.
#pragma once

#include <deque>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/ui.h"

namespace nuvrel::app {

// How a test failure shows a problem.
inline void PrintTo(const CellProblem& p, std::ostream* os) {
  *os << p.row << ':' << p.col << (p.severity == Severity::Warning ? " warning: " : " error: ")
      << p.message;
}

}  // namespace nuvrel::app

namespace nuvrel::test {

class RecordingUi final : public app::Ui {
 public:
  struct Message {
    std::string text;
    app::Icon icon;
  };
  struct Question {
    std::string text;
    app::Icon icon;
    bool noIsDefault;
  };

  void ShowMessage(std::string_view text, app::Icon icon) override {
    messages.push_back({std::string(text), icon});
  }
  bool Ask(std::string_view text, app::Icon icon, bool noIsDefault) override {
    questions.push_back({std::string(text), icon, noIsDefault});
    if (answers.empty()) return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
  }
  // Every list is kept; the answer past warnings is goOnPastWarnings (an error always stops).
  bool ShowProblems(grid::CellTable&, const std::vector<app::CellProblem>& list) override {
    problems.push_back(list);
    return goOnPastWarnings && !app::AnyError(list);
  }
  void SetStatus(std::string_view text) override { statuses.emplace_back(text); }
  void PumpPaintMessages() override { ++pumps; }
  void ShowProgress(const app::Progress& p) override {
    progress.push_back({std::string(p.what), p.done, p.total});
  }
  // Asks to stop once stopAfterProgress progress reports have come.
  bool StopRequested() override {
    return stopAfterProgress && progress.size() >= *stopAfterProgress;
  }
  void BeginWaitCursor() override {
    ++waitDepth;
    ++waitCursors;
  }
  void EndWaitCursor() override { --waitDepth; }
  void EnsureVisible(grid::CellTable&, int row, int col) override { shown.push_back({row, col}); }
  void FocusGrid(grid::CellTable&) override { ++gridFocuses; }

  // The texts of the messages shown, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& m : messages) texts.push_back(m.text);
    return texts;
  }

  std::vector<Message> messages;
  std::vector<Question> questions;
  std::deque<bool> answers;
  std::vector<std::vector<app::CellProblem>> problems;
  bool goOnPastWarnings = false;
  std::vector<std::string> statuses;
  int pumps = 0;
  struct ProgressReport {
    std::string what;
    unsigned done;
    unsigned total;
    friend bool operator==(const ProgressReport&, const ProgressReport&) = default;
  };
  std::vector<ProgressReport> progress;
  std::optional<std::size_t> stopAfterProgress;
  int waitDepth = 0;
  int waitCursors = 0;
  std::vector<std::pair<int, int>> shown;  // cells scrolled into view, in order
  int gridFocuses = 0;
};

}  // namespace nuvrel::test
