// SPDX-License-Identifier: MIT
// One step of changes to the sheets, kept so that it can be undone and redone: the cells it changed
// (each with its text before and after), and the sheet's file when the step changed it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sheets/sheet_file.h"
#include "sheets/sheet_id.h"

namespace nuvrel::sheets {

struct CellChange {
  int row = 0;
  int col = 0;
  std::string before;
  std::string after;
};

struct SheetChange {
  SheetId id = SheetId::Articles;
  std::vector<CellChange> cells;  // in the order they were first changed
  // The sheet's contents before and after the step, as numbers that name them: a sheet whose
  // version equals the version its file was saved at holds what the file holds.
  std::uint64_t versionBefore = 0;
  std::uint64_t versionAfter = 0;
  // The sheet's file, when the step changed it (Open, Clear all).
  std::optional<SheetFile> fileBefore;
  std::optional<SheetFile> fileAfter;
};

struct WorkspaceChange {
  std::vector<SheetChange> sheets;

  bool Empty() const { return sheets.empty(); }
};

}  // namespace nuvrel::sheets
