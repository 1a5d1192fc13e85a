// SPDX-License-Identifier: MIT
// The checks an upload makes on a sheet, or on its selection, before it opens the port.
#include "transfers/validation.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/strings.h"
#include "app/ui.h"
#include "sheets/decimal_text.h"
#include "sheets/layouts.h"

namespace nuvrel::transfers {
namespace {

namespace columns = sheets::articles;

constexpr int kArticleRows = 2400;

// The sheets with one column of text: how many rows the register takes, how long a line may be,
// and what each check says about a line that is too long (the selection check has always said
// "Name is too long!" on every sheet).
struct TextSheetRule {
  int rows;
  std::size_t limit;
  app::Sid wholeSheetMessage;
  app::Sid selectionMessage;
};
constexpr TextSheetRule kOperators{9, kOperatorNameLimit, app::Sid::OperatorNameTooLong,
                                   app::Sid::NameTooLong};
constexpr TextSheetRule kDepartments{10, kDepartmentNameLimit, app::Sid::NameTooLong,
                                     app::Sid::NameTooLong};
constexpr TextSheetRule kFirmData{6, kTextLineLimit, app::Sid::LineTooLong, app::Sid::NameTooLong};
constexpr TextSheetRule kAdvertisement{9, kTextLineLimit, app::Sid::LineTooLong,
                                       app::Sid::NameTooLong};

int LastRow(const grid::CellTable& grid, int rows) {
  return std::min(rows, grid.GetRowCount() - 1);
}

// Reports the cell and moves the person to it.
bool Refuse(app::Ui& ui, grid::CellTable& grid, int row, int col, app::Sid message) {
  ui.ShowMessage(app::Text(message), app::Icon::Error);
  grid.SetFocusCell(row, col);
  ui.EnsureVisible(grid, row, col);
  ui.FocusGrid(grid);
  return false;
}

struct AmountRule {
  double scale;         // units of the register per unit of the cell
  long long maxScaled;  // the largest value, in the register's units
  app::Sid notNumber;
  app::Sid negative;
  app::Sid tooBig;
};
constexpr AmountRule kPrice{100.0, kMaxPriceHundredths, app::Sid::PriceTooBig,
                            app::Sid::PriceNegative, app::Sid::PriceTooBig};
constexpr AmountRule kStock{1000.0, kMaxStockThousandths, app::Sid::QuantityNotNumber,
                            app::Sid::QuantityNegative, app::Sid::QuantityTooBig};

// What is wrong with a price or quantity text, if anything; an empty text is fine.
std::optional<app::Sid> AmountFault(std::string_view text, const AmountRule& rule) {
  if (text.empty()) return std::nullopt;
  const std::optional<double> value = sheets::WholeDecimal(text);
  if (!value) return rule.notNumber;
  if (*value < 0) return rule.negative;
  // Compared in the register's units after rounding, so a value that is sent as the limit passes
  // even when its binary form lies a hair above it. The first test keeps llround to values it can
  // hold (and catches infinity).
  const double scaled = *value * rule.scale;
  if (!(scaled < 1e15) || std::llround(scaled) > rule.maxScaled) return rule.tooBig;
  return std::nullopt;
}

std::optional<app::Sid> LengthFault(std::string_view text, std::size_t limit, app::Sid message) {
  if (text.size() > limit) return message;
  return std::nullopt;
}

// The selected cells outside the header row and the label column, row by row, column by column.
std::vector<grid::CellId> SelectedDataCells(const grid::CellTable& grid) {
  std::vector<grid::CellId> cells = grid.GetSelectedCells();
  std::erase_if(cells, [](const grid::CellId& cell) { return cell.row < 1 || cell.col < 1; });
  return cells;
}

// Empty cells are sent as blanks and zeros, which overwrite what the register holds: ask first.
bool ConfirmEmptyCells(app::Ui& ui, const grid::CellTable& grid,
                       const std::vector<grid::CellId>& cells) {
  for (const grid::CellId& cell : cells) {
    if (grid.GetItemText(cell.row, cell.col).empty()) {
      return ui.Ask(app::Text(app::Sid::EmptySelectedCells), app::Icon::Question, true);
    }
  }
  return true;
}

bool ValidateTextSheet(app::Ui& ui, grid::CellTable& grid, const TextSheetRule& rule) {
  const int last = LastRow(grid, rule.rows);
  for (int row = 1; row <= last; ++row) {
    const std::string text = grid.GetItemText(row, sheets::kTextColumn);
    if (auto fault = LengthFault(text, rule.limit, rule.wholeSheetMessage)) {
      return Refuse(ui, grid, row, sheets::kTextColumn, *fault);
    }
  }
  return true;
}

bool ValidateSelectedTextSheet(app::Ui& ui, grid::CellTable& grid, const TextSheetRule& rule) {
  const std::vector<grid::CellId> cells = SelectedDataCells(grid);
  for (const grid::CellId& cell : cells) {
    if (cell.col != sheets::kTextColumn) continue;
    const std::string text = grid.GetItemText(cell.row, cell.col);
    if (auto fault = LengthFault(text, rule.limit, rule.selectionMessage)) {
      return Refuse(ui, grid, cell.row, cell.col, *fault);
    }
  }
  return ConfirmEmptyCells(ui, grid, cells);
}

}  // namespace

bool ValidateArticles(app::Ui& ui, grid::CellTable& grid) {
  const int last = LastRow(grid, kArticleRows);
  // Three passes, not one: every name is checked before any price, every price before any quantity.
  for (int row = 1; row <= last; ++row) {
    const std::string name = grid.GetItemText(row, columns::kName);
    if (auto fault = LengthFault(name, kArticleNameLimit, app::Sid::NameTooLong)) {
      return Refuse(ui, grid, row, columns::kName, *fault);
    }
  }
  for (int row = 1; row <= last; ++row) {
    if (auto fault = AmountFault(grid.GetItemText(row, columns::kPrice), kPrice)) {
      return Refuse(ui, grid, row, columns::kPrice, *fault);
    }
  }
  for (int row = 1; row <= last; ++row) {
    if (auto fault = AmountFault(grid.GetItemText(row, columns::kInStock), kStock)) {
      return Refuse(ui, grid, row, columns::kInStock, *fault);
    }
  }
  return true;
}

bool ValidateSelectedArticles(app::Ui& ui, grid::CellTable& grid) {
  const std::vector<grid::CellId> cells = SelectedDataCells(grid);
  for (const grid::CellId& cell : cells) {
    const std::string text = grid.GetItemText(cell.row, cell.col);
    std::optional<app::Sid> fault;
    switch (cell.col) {
      case columns::kName:
        fault = LengthFault(text, kArticleNameLimit, app::Sid::NameTooLong);
        break;
      case columns::kPrice: fault = AmountFault(text, kPrice); break;
      case columns::kInStock: fault = AmountFault(text, kStock); break;
      default: break;
    }
    if (fault) return Refuse(ui, grid, cell.row, cell.col, *fault);
  }
  return ConfirmEmptyCells(ui, grid, cells);
}

bool ValidateOperators(app::Ui& ui, grid::CellTable& grid) {
  return ValidateTextSheet(ui, grid, kOperators);
}
bool ValidateSelectedOperators(app::Ui& ui, grid::CellTable& grid) {
  return ValidateSelectedTextSheet(ui, grid, kOperators);
}

bool ValidateDepartments(app::Ui& ui, grid::CellTable& grid) {
  return ValidateTextSheet(ui, grid, kDepartments);
}
bool ValidateSelectedDepartments(app::Ui& ui, grid::CellTable& grid) {
  return ValidateSelectedTextSheet(ui, grid, kDepartments);
}

bool ValidateFirmData(app::Ui& ui, grid::CellTable& grid) {
  return ValidateTextSheet(ui, grid, kFirmData);
}
bool ValidateSelectedFirmData(app::Ui& ui, grid::CellTable& grid) {
  return ValidateSelectedTextSheet(ui, grid, kFirmData);
}

bool ValidateAdvertisement(app::Ui& ui, grid::CellTable& grid) {
  return ValidateTextSheet(ui, grid, kAdvertisement);
}
bool ValidateSelectedAdvertisement(app::Ui& ui, grid::CellTable& grid) {
  return ValidateSelectedTextSheet(ui, grid, kAdvertisement);
}

bool ValidateSheet(sheets::SheetId id, grid::CellTable& grid, app::Ui& ui) {
  switch (id) {
    case sheets::SheetId::Articles: return ValidateArticles(ui, grid);
    case sheets::SheetId::Operators: return ValidateOperators(ui, grid);
    case sheets::SheetId::Departments: return ValidateDepartments(ui, grid);
    case sheets::SheetId::FirmData: return ValidateFirmData(ui, grid);
    case sheets::SheetId::Advertisement: return ValidateAdvertisement(ui, grid);
    case sheets::SheetId::ArticlesReport:
    case sheets::SheetId::DepartmentReport:
    case sheets::SheetId::Reports: break;
  }
  return true;
}

bool ValidateSelection(sheets::SheetId id, grid::CellTable& grid, app::Ui& ui) {
  switch (id) {
    case sheets::SheetId::Articles: return ValidateSelectedArticles(ui, grid);
    case sheets::SheetId::Operators: return ValidateSelectedOperators(ui, grid);
    case sheets::SheetId::Departments: return ValidateSelectedDepartments(ui, grid);
    case sheets::SheetId::FirmData: return ValidateSelectedFirmData(ui, grid);
    case sheets::SheetId::Advertisement: return ValidateSelectedAdvertisement(ui, grid);
    case sheets::SheetId::ArticlesReport:
    case sheets::SheetId::DepartmentReport:
    case sheets::SheetId::Reports: break;
  }
  return true;
}

}  // namespace nuvrel::transfers
