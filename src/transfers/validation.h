// SPDX-License-Identifier: MIT
// The checks an upload makes before it opens the port: every text fits its field on the register
// and every number its range (errors), and every text reaches the register without characters it
// cannot print (warnings). Every problem of the sheet is collected and shown at once; an error
// stops the upload, warnings alone leave it to the person. A selection check also asks before
// empty selected cells are sent as blanks and zeros.
#pragma once

#include <cstddef>
#include <vector>

#include "app/cell_problem.h"
#include "grid/cell_table.h"
#include "sheets/sheet_id.h"

namespace nuvrel::app {
class Ui;
}

namespace nuvrel::transfers {

// Field limits on the register, in bytes.
inline constexpr std::size_t kArticleNameLimit = 15;
inline constexpr std::size_t kOperatorNameLimit = 12;
inline constexpr std::size_t kDepartmentNameLimit = 15;
inline constexpr std::size_t kTextLineLimit = 18;  // firm data and advertisement lines
// The largest price (999999.99) in hundredths and the largest quantity (999999.999) in thousandths.
inline constexpr long long kMaxPriceHundredths = 99999999;
inline constexpr long long kMaxStockThousandths = 999999999;

// Every problem of a programmable sheet as its whole-sheet upload sends it, in row order, then
// column order; an empty list for the report sheets.
std::vector<app::CellProblem> CheckSheet(sheets::SheetId id, const grid::CellTable& grid);
// The same for the selected cells only, as the selection upload sends them.
std::vector<app::CellProblem> CheckSelection(sheets::SheetId id, const grid::CellTable& grid);

// The validations below show what the check found through ui.ShowProblems, in one list, and return
// false while an error stands or when the person does not go on past the warnings.

// Articles, rows 1 to 2400: names at most 15 bytes, prices a number, not negative, at most
// 999999.99, quantities in stock a number, not negative, at most 999999.999. Empty prices and
// quantities pass.
bool ValidateArticles(app::Ui& ui, grid::CellTable& grid);
// The same tests on the selected cells; then asks before sending empty selected cells (No is the
// default) and returns false when the person answers No.
bool ValidateSelectedArticles(app::Ui& ui, grid::CellTable& grid);

// Operator names, rows 1 to 9, at most 12 bytes.
bool ValidateOperators(app::Ui& ui, grid::CellTable& grid);
bool ValidateSelectedOperators(app::Ui& ui, grid::CellTable& grid);

// Department names, rows 1 to 10, at most 15 bytes.
bool ValidateDepartments(app::Ui& ui, grid::CellTable& grid);
bool ValidateSelectedDepartments(app::Ui& ui, grid::CellTable& grid);

// Firm data lines, rows 1 to 6, and advertisement lines, rows 1 to 9, at most 18 bytes each.
bool ValidateFirmData(app::Ui& ui, grid::CellTable& grid);
bool ValidateSelectedFirmData(app::Ui& ui, grid::CellTable& grid);
bool ValidateAdvertisement(app::Ui& ui, grid::CellTable& grid);
bool ValidateSelectedAdvertisement(app::Ui& ui, grid::CellTable& grid);

// The whole-sheet check of a programmable sheet; the report sheets have nothing to check (true).
bool ValidateSheet(sheets::SheetId id, grid::CellTable& grid, app::Ui& ui);
// The selection check of a programmable sheet; true for the report sheets.
bool ValidateSelection(sheets::SheetId id, grid::CellTable& grid, app::Ui& ui);

}  // namespace nuvrel::transfers
