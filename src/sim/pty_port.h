// SPDX-License-Identifier: MIT
// The simulator's end of the serial line: a pseudo-terminal in raw mode. The simulator keeps its
// own descriptor of the slave open for its whole life, so the master never sees a hang-up when the
// PC program closes the port between transfers, and the slave's settings stay raw in between.
#pragma once

#include <optional>
#include <string>

#include "app/unique_fd.h"

namespace nuvrel::sim {

struct PtyOpen;

class PtyPort {
 public:
  // Opens a new pseudo-terminal; the result holds the port or why there is none.
  static PtyOpen Open();

  // The master, non-blocking; the simulator reads and writes here.
  int MasterFd() const { return m_master.Get(); }

  // The slave's path, e.g. /dev/pts/3: what the PC program opens.
  const std::string& SlaveName() const { return m_slaveName; }

  bool IsOpen() const { return m_master.Valid(); }

  // Closes master and slave: the PC side sees the line hang up.
  void Close();

 private:
  PtyPort(app::UniqueFd master, app::UniqueFd slave, std::string slaveName);

  app::UniqueFd m_master;
  app::UniqueFd m_slave;
  std::string m_slaveName;
};

struct PtyOpen {
  std::optional<PtyPort> port;
  std::string error;
};

}  // namespace nuvrel::sim
