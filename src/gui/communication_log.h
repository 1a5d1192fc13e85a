// SPDX-License-Identifier: MIT
// The communication log: a dock that shows every byte sent to and received from the register, one
// frame a line (time, direction, hex and the printable text), and saves it in the format of
// nuvrel-cli's --trace. What arrives in pieces is gathered into one line up to its LF, and what
// arrives in one piece is cut after each LF.
#pragma once

#include <QDockWidget>
#include <deque>

#include "link/trace.h"

class QPlainTextEdit;

namespace nuvrel::gui {

class Dialogs;
class GuiUi;

class CommunicationLog final : public QDockWidget {
  Q_OBJECT
 public:
  CommunicationLog(Dialogs& dialogs, GuiUi& ui, QWidget* parent);

  // Takes one entry of the log of the register's port.
  void Add(const link::TraceEntry& entry);
  // The log as the trace format has it, one line a frame.
  std::string TraceText() const;
  // Asks for a file name and saves the log there.
  void Save();
  void Clear();

  // The line the dock shows for an entry.
  static QString DisplayLine(const link::TraceEntry& entry);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Adds the entry to the log's entries, dropping the oldest past the limit.
  void Keep(const link::TraceEntry& entry);
  // The entry goes on the screen, while the dock is shown (it catches up when it is shown).
  void Show(const link::TraceEntry& entry);

  Dialogs& m_dialogs;
  GuiUi& m_ui;
  QPlainTextEdit* m_text;
  std::deque<link::TraceEntry> m_entries;
  bool m_lineOpen = false;  // the last entry is a received frame still waiting for its LF
};

}  // namespace nuvrel::gui
