// SPDX-License-Identifier: MIT
// nuvrel-cli: programs and reads the register from the command line.
#include <cstdio>

#include "cli/cli.h"
#include "cli/program_start.h"

int main(int argc, char** argv) {
  return nuvrel::cli::RunCli(nuvrel::cli::ProgramArguments(argc, argv), stdout, stderr, stdin);
}
