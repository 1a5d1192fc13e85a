// SPDX-License-Identifier: MIT
// Splitting a command line into options and operands, the way GNU tools read theirs: a long option
// takes its value as "--name=value" or as the next argument, options may stand anywhere among the
// operands, "--" ends the options and "-" alone is an operand.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace nuvrel::app {

struct KnownOption {
  std::string_view name;  // "--port", or a short option "-o"
  bool takesValue = false;
};

struct GivenOption {
  std::string_view name;  // the known option's name
  std::string value;      // empty for an option without value
};

struct SplitCommandLine {
  std::vector<GivenOption> options;  // in the order given
  std::vector<std::string> operands;
  std::string error;  // set when the line is unusable: "unknown option '--x'", a missing value, ...
};

SplitCommandLine SplitArgs(std::span<const std::string> args, std::span<const KnownOption> known);

}  // namespace nuvrel::app
