// SPDX-License-Identifier: MIT
// The command line of nuvrel-cli.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace nuvrel::cli {

struct Options {
  std::optional<std::string> port;      // --port DEVICE: every COM port maps to this device
  std::optional<int> com;               // --com N: 1..4, instead of the settings file's port
  std::optional<std::string> settings;  // --settings FILE
  bool yes = false;                     // --yes: answer Yes to every question
  bool quiet = false;                   // --quiet: no status line for each record
  std::optional<std::string> trace;     // --trace FILE
  std::vector<std::string> command;     // the command and its own arguments, options removed
};

struct ParseResult {
  std::optional<Options> options;  // empty on a usage error
  std::string error;               // what was wrong
  bool help = false;               // --help or -h was given
  bool version = false;            // --version was given
};

// Reads the common options wherever they stand; everything else is the command and its arguments,
// with the commands' own options (--select, --from-row, --departments, --device, -o) handed on to
// them as "--name VALUE" whichever way they were written (--changed, which takes no value, alone).
// An unknown option is a usage error.
ParseResult ParseOptions(const std::vector<std::string>& args);

// The usage text, ending with a line feed.
const char* UsageText();

// Writes "nuvrel-cli: ERROR" and the usage text to `err`; the exit status of a usage error.
int UsageError(std::FILE* err, const std::string& error);

// What a command's own arguments read as: the arguments, or the usage error's text.
template <class Args>
struct Parsed {
  std::optional<Args> args;
  std::string error;
};

}  // namespace nuvrel::cli
