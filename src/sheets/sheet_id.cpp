// SPDX-License-Identifier: MIT
#include "sheets/sheet_id.h"

namespace nuvrel::sheets {

const std::array<SheetInfo, kGridSheetCount>& GridSheets() {
  using grid::Rgb;
  static const std::array<SheetInfo, kGridSheetCount> sheets = {{
      {SheetId::Articles, "articles", 2401, 8, false, Rgb(255, 255, 224), true},
      {SheetId::Operators, "operators", 10, 2, false, Rgb(224, 255, 255), true},
      {SheetId::Departments, "departments", 11, 2, true, Rgb(255, 224, 255), true},
      {SheetId::FirmData, "firm-data", 7, 2, false, Rgb(255, 192, 192), true},
      {SheetId::Advertisement, "advertisement", 10, 2, false, Rgb(255, 224, 192), true},
      {SheetId::ArticlesReport, "articles-report", 2401, 10, false, Rgb(224, 255, 224), false},
      {SheetId::DepartmentReport, "department-report", 11, 3, true, Rgb(192, 255, 192), false},
  }};
  return sheets;
}

const SheetInfo& InfoFor(SheetId id) {
  return GridSheets()[static_cast<std::size_t>(Index(id))];
}

std::optional<SheetId> SheetByCliName(std::string_view name) {
  for (const SheetInfo& info : GridSheets()) {
    if (info.cliName == name) return info.id;
  }
  return std::nullopt;
}

}  // namespace nuvrel::sheets
