// SPDX-License-Identifier: MIT
// nuvrel-cli: programs and reads the register from the command line.
#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return nuvrel::cli::RunCli(args, stdout, stderr, stdin);
}
