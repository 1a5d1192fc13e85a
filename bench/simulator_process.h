// SPDX-License-Identifier: MIT
// ecrsim as a child process, for the benchmarks that time a transfer against the real simulator.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "app/child_process.h"

namespace nuvrel::bench {

using Seconds = std::chrono::duration<double>;

// The processor time of this process (RUSAGE_SELF) or of its ended children (RUSAGE_CHILDREN).
Seconds CpuTime(int who);

// Started with the arguments; stopped with SIGTERM (and, if it does not go, SIGKILL) when the
// object goes.
class Simulator {
 public:
  Simulator(const std::string& path, const std::vector<std::string>& args)
      : m_child(path, args, {false, app::ChildOutput::Pipe(), {}, 0}) {}
  ~Simulator() { Stop(); }

  // The slave device from its first line, "ecrsim: listening on PATH".
  std::optional<std::string> SlavePath();

  // Ends the child; its processor time once it has ended.
  std::optional<Seconds> Stop();

 private:
  app::ChildProcess m_child;
};

}  // namespace nuvrel::bench
