// SPDX-License-Identifier: MIT
// The Ui port: every place where the core talks to the person goes through this interface. The
// desktop program answers with message boxes and the status bar, the command-line tool with stdout
// and stderr, the tests with a recorder. Its texts are UTF-8 (the string table's texts and the
// paths in them); sheet data, which is Windows-1251, never goes into them unconverted.
#pragma once

#include <string_view>
#include <vector>

#include "app/cell_problem.h"

namespace nuvrel::grid {
class CellTable;
}

namespace nuvrel::app {

enum class Icon { Error, Information, Question, Warning };

// How far a transfer has come.
struct Progress {
  std::string_view what;  // what is being sent or read (UTF-8)
  unsigned done = 0;      // items sent or read so far
  unsigned total = 0;     // items in all; 0 while not known (a report)
};

class Ui {
 public:
  virtual ~Ui() = default;

  // A message box with one OK button.
  virtual void ShowMessage(std::string_view text, Icon icon) = 0;

  // A Yes/No question; true for Yes. noIsDefault makes No the button that Enter presses.
  virtual bool Ask(std::string_view text, Icon icon, bool noIsDefault) = 0;

  // Every problem a check found in the table, at once, in row order. Returns whether to go on:
  // never while an error stands; with warnings alone, as the person decides.
  virtual bool ShowProblems(grid::CellTable& table, const std::vector<CellProblem>& problems) = 0;

  // The first pane of the status bar.
  virtual void SetStatus(std::string_view text) = 0;
  // A status text that names the record on the line ("Sending line number 12"); a front end that
  // shows the progress otherwise may leave these out.
  virtual void SetRecordStatus(std::string_view text) { SetStatus(text); }

  // Called between records of a transfer: repaint what needs it, discard the person's input.
  virtual void PumpPaintMessages() = 0;

  // A transfer reports where it stands: when it starts its records and after each one.
  virtual void ShowProgress(const Progress& /*progress*/) {}
  // Whether the person has asked the running transfer to stop. Transfers ask between records and
  // then end the exchange the way the protocol ends it.
  virtual bool StopRequested() { return false; }

  virtual void BeginWaitCursor() = 0;
  virtual void EndWaitCursor() = 0;

  // Scrolls the grid that shows this table so that the cell is in view. Without a window: nothing.
  virtual void EnsureVisible(grid::CellTable& /*table*/, int /*row*/, int /*col*/) {}
  // Gives the keyboard focus to the grid that shows this table. Without a window: nothing.
  virtual void FocusGrid(grid::CellTable& /*table*/) {}
};

// Shows the wait cursor for the lifetime of the object.
class WaitCursor {
 public:
  explicit WaitCursor(Ui& ui) : m_ui(ui) { m_ui.BeginWaitCursor(); }
  ~WaitCursor() { m_ui.EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  Ui& m_ui;
};

}  // namespace nuvrel::app
