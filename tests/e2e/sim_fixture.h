// SPDX-License-Identifier: MIT
// ecrsim on its own pseudo-terminal for the length of a test, and nuvrel-cli run against it.
#pragma once

#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/ecrsim_process.h"

namespace nuvrel::test {

class Sim {
 public:
  explicit Sim(const std::vector<std::string>& args) : m_process(args) {
    if (auto path = m_process.SlavePath()) m_device = *path;
  }
  bool Ok() const { return !m_device.empty(); }
  const std::string& Device() const { return m_device; }
  EcrsimProcess& Process() { return m_process; }

  // nuvrel-cli with --port set to this simulator, then the given arguments.
  RunResult Cli(std::vector<std::string> args) const {
    args.insert(args.begin(), {"--port", m_device});
    return RunProgram(NUVREL_CLI_PATH, args);
  }

 private:
  EcrsimProcess m_process;
  std::string m_device;
};

inline std::string Example(const std::string& name) {
  return std::string(NUVREL_SOURCE_DIR) + "/examples/" + name;
}

}  // namespace nuvrel::test
