// SPDX-License-Identifier: MIT
// nuvrel-cli diff: the cells of a sheet file that differ from what a register is known to hold,
// one a line as "ROW:COL: register → sheet". Exit status as diff's: 0 none differ, 1 some do, 2
// trouble (the file cannot be read, nothing is known of the register).
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/options.h"
#include "sheets/sheet_id.h"

namespace nuvrel::cli {

class Session;

struct DiffArgs {
  sheets::SheetId sheet = sheets::SheetId::Articles;
  std::string file;
  std::optional<std::uint32_t> device;  // --device N; otherwise the register last recorded
};

// Reads the words after "diff": SHEET FILE [--device N].
Parsed<DiffArgs> ParseDiffArgs(const std::vector<std::string>& words);

int RunDiff(Session& session, const DiffArgs& args, std::FILE* out);

}  // namespace nuvrel::cli
