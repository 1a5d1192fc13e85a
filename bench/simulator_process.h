// SPDX-License-Identifier: MIT
// ecrsim as a child process, for the benchmarks that time a transfer against the real simulator.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace nuvrel::bench {

using Seconds = std::chrono::duration<double>;

// The processor time of this process (RUSAGE_SELF) or of its ended children (RUSAGE_CHILDREN).
Seconds CpuTime(int who);

// Started with the arguments; stopped with SIGTERM (and, if it does not go, SIGKILL) when the
// object goes.
class Simulator {
 public:
  Simulator(const std::string& path, const std::vector<std::string>& args);
  ~Simulator() { Stop(); }
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // The slave device from its first line, "ecrsim: listening on PATH".
  std::optional<std::string> SlavePath();

  // Ends the child; its processor time once it has ended.
  std::optional<Seconds> Stop();

 private:
  pid_t m_pid = -1;
  int m_out = -1;
};

}  // namespace nuvrel::bench
