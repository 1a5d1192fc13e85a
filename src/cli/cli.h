// SPDX-License-Identifier: MIT
// nuvrel-cli: the transfers and sheet files without a window.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace nuvrel::cli {

// Exit statuses.
inline constexpr int kCompleted = 0;
inline constexpr int kFailed = 1;  // an error message, a declined question, a validation stop
inline constexpr int kUsage = 2;
inline constexpr int kInterrupted = 130;  // stopped by Ctrl+C, as a shell reports SIGINT

// Runs one command line (without the program name) and returns the exit status.
int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, std::FILE* in);

}  // namespace nuvrel::cli
