// SPDX-License-Identifier: MIT
#include "cli/program_start.h"

namespace nuvrel::cli {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace nuvrel::cli
