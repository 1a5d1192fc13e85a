// SPDX-License-Identifier: MIT
// The real ecrsim binary as a child process for tests, and a PC-side port on its slave. Every wait
// is bounded; a child still running when the object goes is killed.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/child_process.h"
#include "app/unique_fd.h"

namespace nuvrel::test {

using Millis = std::chrono::milliseconds;

class EcrsimProcess {
 public:
  // Starts ecrsim (NUVREL_ECRSIM_PATH) with the arguments; Started() tells whether the fork worked.
  explicit EcrsimProcess(const std::vector<std::string>& args);
  EcrsimProcess(const EcrsimProcess&) = delete;
  EcrsimProcess& operator=(const EcrsimProcess&) = delete;

  bool Started() const { return m_child.Started(); }

  // The first stdout line without its newline; nothing if it did not come in time.
  std::optional<std::string> FirstLine(Millis timeout = Millis(5000));

  // The slave path from "ecrsim: listening on PATH", read from the first line.
  std::optional<std::string> SlavePath();

  // Sends the signal (0: none) and waits for the exit; the exit status, or nothing when the child
  // did not end in time (it is killed then) or died from a signal.
  std::optional<int> Finish(int signal, Millis timeout = Millis(5000));

  // What the child wrote to stderr and to stdout after its first line (complete once finished).
  const std::string& Stderr() const { return m_stderr; }
  const std::string& RestOfStdout() const { return m_stdout; }
  // CPU time the child used, once finished.
  std::chrono::microseconds CpuTime() const { return m_cpu; }
  // CPU time the running child has used so far (from /proc, in clock ticks); nothing once gone.
  std::optional<std::chrono::microseconds> CpuSoFar() const;

 private:
  app::ChildProcess m_child;
  std::optional<std::string> m_firstLine;
  std::string m_stdout;
  std::string m_stderr;
  std::chrono::microseconds m_cpu{0};
};

// The PC's end: the slave opened for reading and writing.
class SlavePort {
 public:
  explicit SlavePort(const std::string& path);
  SlavePort(const SlavePort&) = delete;
  SlavePort& operator=(const SlavePort&) = delete;

  bool Ok() const { return m_fd.Valid(); }
  bool Write(const std::vector<std::uint8_t>& bytes);
  // Reads until `count` bytes arrived or the time is up.
  std::vector<std::uint8_t> Read(std::size_t count, Millis timeout);
  void Close() { m_fd.Reset(); }

 private:
  app::UniqueFd m_fd;
};

}  // namespace nuvrel::test
