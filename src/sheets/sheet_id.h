// SPDX-License-Identifier: MIT
// The eight sheets of the workspace, in tab order, and what is fixed about each.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "grid/types.h"

namespace nuvrel::sheets {

enum class SheetId {
  Articles = 0,
  Operators = 1,
  Departments = 2,
  FirmData = 3,
  Advertisement = 4,
  ArticlesReport = 5,
  DepartmentReport = 6,
  Reports = 7,  // the read-only text pane, not a grid
};

inline constexpr int kGridSheetCount = 7;
inline constexpr int kSheetCount = 8;

struct SheetInfo {
  SheetId id;
  std::string_view cliName;  // the SHEET word of nuvrel-cli
  int rows;                  // header row included
  int columns;               // label column included
  bool zeroBasedLabels;      // row r is labelled r - 1
  grid::Rgb zebra;           // background of the even data rows
  bool editable;             // the person may type into it
};

// The facts of a grid sheet (not Reports).
const SheetInfo& InfoFor(SheetId id);
const std::array<SheetInfo, kGridSheetCount>& GridSheets();

// The grid sheet with this command-line name, e.g. "firm-data".
std::optional<SheetId> SheetByCliName(std::string_view name);

constexpr int Index(SheetId id) {
  return static_cast<int>(id);
}
// Grid sheets are tabs 0 to 6; programmable sheets (sent to the register) are 0 to 4.
constexpr bool IsGridSheet(SheetId id) {
  return Index(id) < kGridSheetCount;
}
constexpr bool IsProgrammable(SheetId id) {
  return Index(id) < 5;
}

}  // namespace nuvrel::sheets
