// SPDX-License-Identifier: MIT
// No child programs on Windows: what they are for (the simulated register) runs on POSIX only.
#include "app/child_process.h"

namespace nuvrel::app {

ChildProcess::ChildProcess(const std::string&, const std::vector<std::string>&, const ChildOptions&)
    : m_error("not available on Windows") {}

ChildProcess::~ChildProcess() = default;

void ChildProcess::Signal(int) {}

std::optional<ChildExit> ChildProcess::WaitFor(std::chrono::milliseconds) {
  return m_exit;
}

ChildExit ChildProcess::Stop(int, std::chrono::milliseconds) {
  return {};
}

}  // namespace nuvrel::app
