// SPDX-License-Identifier: MIT
// The layout of each grid sheet: size, labels, headers, column classes, alignments, widths, zebra
// rows, and whether the person may edit it. Each routine runs once on a new, empty table.
#pragma once

#include "grid/cell_table.h"
#include "sheets/sheet_id.h"

namespace nuvrel::sheets {

void SetupArticlesSheet(grid::CellTable& grid);
void SetupOperatorsSheet(grid::CellTable& grid);
void SetupDepartmentsSheet(grid::CellTable& grid);
void SetupFirmDataSheet(grid::CellTable& grid);
void SetupAdvertisementSheet(grid::CellTable& grid);
void SetupArticlesReportSheet(grid::CellTable& grid);
void SetupDepartmentReportSheet(grid::CellTable& grid);

// The routine of a grid sheet.
void SetupSheet(SheetId id, grid::CellTable& grid);

// Column numbers of Articles and Articles report.
namespace articles {
inline constexpr int kName = 1;
inline constexpr int kBarcode = 2;
inline constexpr int kPrice = 3;
inline constexpr int kTaxGroup = 4;
inline constexpr int kDepartment = 5;
inline constexpr int kUnit = 6;
inline constexpr int kInStock = 7;
inline constexpr int kTurnover = 8;  // Articles report only
inline constexpr int kSales = 9;     // Articles report only
}  // namespace articles

// Column numbers of Department report; the one data column of sheets 1 to 4 is column 1.
namespace departments {
inline constexpr int kName = 1;
inline constexpr int kTurnover = 2;
}  // namespace departments
inline constexpr int kTextColumn = 1;

}  // namespace nuvrel::sheets
