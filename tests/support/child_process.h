// SPDX-License-Identifier: MIT
// Running a program from a test to completion, with its output, exit status and CPU time.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace nuvrel::test {

struct RunResult {
  int status = -1;  // exit status, or -1 when it had to be killed
  std::string out;
  std::string err;
  std::chrono::milliseconds wall{};
  std::chrono::microseconds cpu{};  // user + system time of the child
};

// Runs a program to completion (killed after the time-out), with standard input from /dev/null.
RunResult RunProgram(const std::string& path, const std::vector<std::string>& args,
                     std::chrono::milliseconds timeout = std::chrono::seconds(30));

}  // namespace nuvrel::test
