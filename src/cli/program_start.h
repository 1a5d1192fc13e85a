// SPDX-License-Identifier: MIT
// What a console program gets from the platform at its start.
#pragma once

#include <string>
#include <vector>

namespace nuvrel::cli {

// The program's arguments (without its name) as UTF-8. On Windows they are taken from the wide
// command line, so that a file name outside the ANSI code page arrives whole; there the standard
// output and error streams are also switched to binary (a sheet or a trace keeps its bytes), and
// the console is told that the text is UTF-8.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace nuvrel::cli
