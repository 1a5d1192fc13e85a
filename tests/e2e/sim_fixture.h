// SPDX-License-Identifier: MIT
// ecrsim on its own pseudo-terminal for the length of a test, nuvrel-cli run against it, and the
// records that a trace file shows the client sent.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "link/frames.h"
#include "support/child_process.h"
#include "support/ecrsim_process.h"
#include "support/example_state.h"
#include "support/sim_files.h"

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

// A test name made of the text: what is not a letter or digit becomes '_'.
inline std::string TestName(std::string text) {
  for (char& ch : text) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return text;
}

// The blocks the client sent, from a trace file.
inline std::vector<link::Bytes> SentBlocks(const std::string& traceFile) {
  return TraceBlocks(ReadBytes(traceFile).value_or(""), "TX");
}

inline std::vector<link::Bytes> RecordsWithLetter(const std::vector<link::Bytes>& blocks,
                                                  char letter) {
  std::vector<link::Bytes> records;
  for (const auto& b : blocks) {
    if (b.size() > 11 && b[0] == link::kStartByte && b[7] == letter) records.push_back(b);
  }
  return records;
}

}  // namespace nuvrel::test
