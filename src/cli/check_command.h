// SPDX-License-Identifier: MIT
// nuvrel-cli check: reads a sheet file as the desktop program's Open does, writes it back
// normalised, and runs the sheet's whole-sheet validation.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/options.h"
#include "sheets/sheet_id.h"

namespace nuvrel::cli {

class Session;

struct CheckArgs {
  sheets::SheetId sheet = sheets::SheetId::Articles;
  std::string file;                // the sheet file to read
  std::optional<std::string> out;  // -o OUT: the normalised file goes here instead of stdout
};

// Reads the words after "check": SHEET FILE [-o OUT], the option anywhere among them.
Parsed<CheckArgs> ParseCheckArgs(const std::vector<std::string>& words);

// Reads the file into the sheet, writes the normalised sheet file to OUT or to `out`, then
// validates the sheet. kCompleted when all three succeed; kFailed, with the message shown through
// the session's Ui (or written to `err` when `out` cannot be written), when one fails.
int RunCheck(Session& session, const CheckArgs& args, std::FILE* out, std::FILE* err);

}  // namespace nuvrel::cli
