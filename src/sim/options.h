// SPDX-License-Identifier: MIT
// ecrsim's command line, parsed into a plain struct.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sim/faults.h"

namespace nuvrel::sim {

struct Options {
  std::uint32_t serial = 123456;  // the register's device number
  char country = 'S';
  std::string firmware = "NV-2.21";      // the register's version text, in its version line
  std::optional<std::string> linkPath;   // a symlink to the slave, made at start
  std::optional<std::string> listen;     // HOST:PORT: serve on TCP instead of a pseudo-terminal
  std::optional<std::string> tracePath;  // byte log of what the simulator received and sent
  std::optional<std::string> statePath;  // folder that keeps the tables across runs
  std::uint32_t baud = 0;                // pace the replies; 0 = as fast as possible
  std::vector<FaultSpec> faults;
  bool help = false;
  bool version = false;  // --version: print the program's version
};

struct OptionsParse {
  Options options;
  std::optional<std::string> error;  // set when the command line is not usable
};

// Parses the arguments after the program name. Options take their value as the next argument or
// after '=' (--serial=42); an unknown option or any other argument is an error.
OptionsParse ParseOptions(std::span<const std::string> args);

// The usage text, ending with a newline.
std::string_view UsageText();

}  // namespace nuvrel::sim
