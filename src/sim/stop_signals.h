// SPDX-License-Identifier: MIT
// SIGINT and SIGTERM turned into a readable pipe (the self-pipe trick), so that the poll loop sees
// a stop request like any other event and ends cleanly. One instance at a time; the previous
// handlers come back when it goes.
#pragma once

#include <signal.h>

#include <string>

#include "app/unique_fd.h"

namespace nuvrel::sim {

class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // False when the pipe or the handlers could not be set up; Error() tells why.
  bool Ok() const { return m_ok; }
  const std::string& Error() const { return m_error; }

  // Readable once a stop signal arrived.
  int Fd() const { return m_read.Get(); }

 private:
  app::UniqueFd m_read;
  app::UniqueFd m_write;
  struct sigaction m_oldInt {};
  struct sigaction m_oldTerm {};
  bool m_ok = false;
  std::string m_error;
};

}  // namespace nuvrel::sim
