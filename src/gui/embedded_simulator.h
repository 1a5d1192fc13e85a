// SPDX-License-Identifier: MIT
// The simulated register as the desktop program's demo: ecrsim started beside the program on a
// pseudo-terminal for the length of one run. What is sent to it is kept in the user's data folder.
#pragma once

#include <QSocketNotifier>
#include <QString>
#include <memory>
#include <optional>

#include "app/child_process.h"

namespace nuvrel::gui {

class EmbeddedSimulator {
 public:
  EmbeddedSimulator() = default;
  ~EmbeddedSimulator();
  EmbeddedSimulator(const EmbeddedSimulator&) = delete;
  EmbeddedSimulator& operator=(const EmbeddedSimulator&) = delete;

  // Starts ecrsim and waits for its device; false (with the reason in Error()) when it cannot.
  bool Start();
  const QString& Device() const { return m_device; }
  const QString& Error() const { return m_error; }

 private:
  std::optional<app::ChildProcess> m_process;
  // What the simulator writes once it runs is read and dropped, so that it never waits on a full
  // pipe.
  std::unique_ptr<QSocketNotifier> m_outDrain;
  std::unique_ptr<QSocketNotifier> m_errDrain;
  QString m_device;
  QString m_error;
};

}  // namespace nuvrel::gui
