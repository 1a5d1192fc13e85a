// SPDX-License-Identifier: MIT
// Running a program on a pseudo-terminal of its own, as a person runs it in a terminal window: the
// terminal is its standard input, output and error and its controlling terminal, so a Ctrl+C typed
// there reaches it as SIGINT.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace nuvrel::test {

struct TerminalRun {
  int status = -1;     // exit status, or -1 when it had to be killed
  std::string screen;  // everything it wrote to the terminal
};

// Runs the program to completion (killed after the time-out). Once `when` holds for what it has
// written, `type` is typed into the terminal, once.
TerminalRun RunOnTerminal(const std::string& path, const std::vector<std::string>& args,
                          const std::function<bool(const std::string& screen)>& when,
                          const std::string& type,
                          std::chrono::milliseconds timeout = std::chrono::seconds(30));

}  // namespace nuvrel::test
