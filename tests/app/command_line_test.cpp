// SPDX-License-Identifier: MIT
// Splitting a command line into options and operands.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace nuvrel::app {
namespace {

constexpr KnownOption kKnown[] = {{"--quiet"}, {"-q"}, {"--port", true}, {"-o", true}};

// The options and operands as one text: "--port=/dev/x -o=- [a] [b]", or the error.
std::string Split(const std::vector<std::string>& args) {
  const SplitCommandLine split = SplitArgs(args, kKnown);
  if (!split.error.empty()) return "error: " + split.error;
  std::string text;
  for (const GivenOption& option : split.options) {
    text.append(option.name).append("=").append(option.value).append(" ");
  }
  for (const std::string& operand : split.operands) text.append("[").append(operand).append("] ");
  return text;
}

TEST(SplitArgs, BothSpellingsAnywhereDoubleDashAndTheErrors) {
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"a", "--port", "/dev/x", "b"}, "--port=/dev/x [a] [b] "},
      {{"--port=/dev/x", "a"}, "--port=/dev/x [a] "},
      {{"--port=", "a"}, "--port= [a] "},
      {{"--port", "--quiet"}, "--port=--quiet "},  // a value is taken as it stands
      {{"-o", "-", "-q"}, "-o=- -q= "},
      {{"-", "--", "--quiet", "-q"}, "[-] [--quiet] [-q] "},
      {{"--bogus"}, "error: unknown option '--bogus'"},
      {{"--bogus=1"}, "error: unknown option '--bogus'"},
      {{"-x"}, "error: unknown option '-x'"},
      {{"-o=x"}, "error: unknown option '-o=x'"},
      {{"--quiet=yes"}, "error: option --quiet takes no value"},
      {{"a", "--port"}, "error: option --port needs a value"},
  };
  for (const auto& [args, expected] : cases) {
    EXPECT_EQ(Split(args), expected) << testing::PrintToString(args);
  }
}

}  // namespace
}  // namespace nuvrel::app
