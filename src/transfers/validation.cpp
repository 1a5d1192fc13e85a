// SPDX-License-Identifier: MIT
// The checks an upload makes on a sheet, or on its selection, before it opens the port.
#include "transfers/validation.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "app/code_page.h"
#include "app/format.h"
#include "app/strings.h"
#include "app/ui.h"
#include "link/translation.h"
#include "sheets/decimal_text.h"
#include "sheets/layouts.h"

namespace nuvrel::transfers {
namespace {

namespace columns = sheets::articles;
using app::CellProblem;
using Problems = std::vector<CellProblem>;

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

const TextSheetRule* TextRuleOf(sheets::SheetId id) {
  switch (id) {
    case sheets::SheetId::Operators: return &kOperators;
    case sheets::SheetId::Departments: return &kDepartments;
    case sheets::SheetId::FirmData: return &kFirmData;
    case sheets::SheetId::Advertisement: return &kAdvertisement;
    default: return nullptr;
  }
}

int LastRow(const grid::CellTable& grid, int rows) {
  return std::min(rows, grid.GetRowCount() - 1);
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

// A blank the person typed is sent as one; so is a no-break space, which looks the same.
bool IsBlank(unsigned char byte) {
  return byte == 0x20 || byte == 0xA0;
}

// How a character is named in a message: itself in quotes, or its code when it cannot be seen.
std::string CharacterName(unsigned char byte) {
  if (byte < 0x20 || byte == 0x7F || byte == 0x98 || byte == 0xAD) {
    char code[8];
    std::snprintf(code, sizeof code, "0x%02X", byte);
    return code;
  }
  return "\"" + app::Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(&byte), 1)) + "\"";
}

// The characters of a translated text that the register would print as blanks, each named once.
std::optional<std::string> UnprintableFault(std::string_view text) {
  std::string seen;
  std::string names;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (IsBlank(byte) || link::HasRegisterCharacter(byte)) continue;
    if (seen.find(c) != std::string::npos) continue;
    seen += c;
    names += (names.empty() ? "" : ", ") + CharacterName(byte);
  }
  if (names.empty()) return std::nullopt;
  return app::Format(app::Sid::UnprintableCharacters, {names});
}

void AddError(Problems& problems, int row, int col, app::Sid message) {
  problems.push_back({row, col, std::string(app::Text(message)), app::Severity::Error});
}

// A text that is translated for the register: its length, then what the register cannot print.
void CheckText(Problems& problems, int row, int col, std::string_view text, std::size_t limit,
               app::Sid tooLong) {
  if (text.size() > limit) AddError(problems, row, col, tooLong);
  if (auto warning = UnprintableFault(text)) {
    problems.push_back({row, col, std::move(*warning), app::Severity::Warning});
  }
}

// The problems of one cell as the upload of the sheet, or of its selection, would send it.
void CheckCell(Problems& problems, sheets::SheetId id, bool selection, const grid::CellTable& grid,
               int row, int col) {
  const std::string text = grid.GetItemText(row, col);
  if (id == sheets::SheetId::Articles) {
    std::optional<app::Sid> fault;
    switch (col) {
      case columns::kName:
        CheckText(problems, row, col, text, kArticleNameLimit, app::Sid::NameTooLong);
        break;
      case columns::kPrice: fault = AmountFault(text, kPrice); break;
      case columns::kInStock: fault = AmountFault(text, kStock); break;
      default: break;
    }
    if (fault) AddError(problems, row, col, *fault);
    return;
  }
  const TextSheetRule* rule = TextRuleOf(id);
  if (!rule || col != sheets::kTextColumn) return;
  CheckText(problems, row, col, text, rule->limit,
            selection ? rule->selectionMessage : rule->wholeSheetMessage);
}

// The selected cells outside the header row and the label column, row by row, column by column.
std::vector<grid::CellId> SelectedDataCells(const grid::CellTable& grid) {
  std::vector<grid::CellId> cells = grid.GetSelectedCells();
  std::erase_if(cells, [](const grid::CellId& cell) { return cell.row < 1 || cell.col < 1; });
  return cells;
}

// Shows what the check found; whether the upload may go on.
bool Report(app::Ui& ui, grid::CellTable& grid, const Problems& problems) {
  if (problems.empty()) return true;
  const bool goOn = ui.ShowProblems(grid, problems);
  return goOn && !app::AnyError(problems);
}

// Empty cells are sent as blanks and zeros, which overwrite what the register holds: ask first.
bool ConfirmEmptyCells(app::Ui& ui, const grid::CellTable& grid) {
  for (const grid::CellId& cell : SelectedDataCells(grid)) {
    if (grid.GetItemText(cell.row, cell.col).empty()) {
      return ui.Ask(app::Text(app::Sid::EmptySelectedCells), app::Icon::Question, true);
    }
  }
  return true;
}

bool ValidateWhole(sheets::SheetId id, app::Ui& ui, grid::CellTable& grid) {
  return Report(ui, grid, CheckSheet(id, grid));
}

bool ValidateSelected(sheets::SheetId id, app::Ui& ui, grid::CellTable& grid) {
  return Report(ui, grid, CheckSelection(id, grid)) && ConfirmEmptyCells(ui, grid);
}

}  // namespace

std::vector<CellProblem> CheckSheet(sheets::SheetId id, const grid::CellTable& grid) {
  Problems problems;
  int rows = 0;
  int lastCol = sheets::kTextColumn;
  if (id == sheets::SheetId::Articles) {
    rows = kArticleRows;
    lastCol = columns::kInStock;
  } else if (const TextSheetRule* rule = TextRuleOf(id)) {
    rows = rule->rows;
  }
  const int last = LastRow(grid, rows);
  for (int row = 1; row <= last; ++row) {
    for (int col = 1; col <= lastCol; ++col) CheckCell(problems, id, false, grid, row, col);
  }
  return problems;
}

std::vector<CellProblem> CheckSelection(sheets::SheetId id, const grid::CellTable& grid) {
  Problems problems;
  for (const grid::CellId& cell : SelectedDataCells(grid)) {
    CheckCell(problems, id, true, grid, cell.row, cell.col);
  }
  return problems;
}

bool ValidateArticles(app::Ui& ui, grid::CellTable& grid) {
  return ValidateWhole(sheets::SheetId::Articles, ui, grid);
}
bool ValidateSelectedArticles(app::Ui& ui, grid::CellTable& grid) {
  return ValidateSelected(sheets::SheetId::Articles, ui, grid);
}

bool ValidateOperators(app::Ui& ui, grid::CellTable& grid) {
  return ValidateWhole(sheets::SheetId::Operators, ui, grid);
}
bool ValidateSelectedOperators(app::Ui& ui, grid::CellTable& grid) {
  return ValidateSelected(sheets::SheetId::Operators, ui, grid);
}

bool ValidateDepartments(app::Ui& ui, grid::CellTable& grid) {
  return ValidateWhole(sheets::SheetId::Departments, ui, grid);
}
bool ValidateSelectedDepartments(app::Ui& ui, grid::CellTable& grid) {
  return ValidateSelected(sheets::SheetId::Departments, ui, grid);
}

bool ValidateFirmData(app::Ui& ui, grid::CellTable& grid) {
  return ValidateWhole(sheets::SheetId::FirmData, ui, grid);
}
bool ValidateSelectedFirmData(app::Ui& ui, grid::CellTable& grid) {
  return ValidateSelected(sheets::SheetId::FirmData, ui, grid);
}

bool ValidateAdvertisement(app::Ui& ui, grid::CellTable& grid) {
  return ValidateWhole(sheets::SheetId::Advertisement, ui, grid);
}
bool ValidateSelectedAdvertisement(app::Ui& ui, grid::CellTable& grid) {
  return ValidateSelected(sheets::SheetId::Advertisement, ui, grid);
}

bool ValidateSheet(sheets::SheetId id, grid::CellTable& grid, app::Ui& ui) {
  if (!sheets::IsProgrammable(id)) return true;
  return ValidateWhole(id, ui, grid);
}

bool ValidateSelection(sheets::SheetId id, grid::CellTable& grid, app::Ui& ui) {
  if (!sheets::IsProgrammable(id)) return true;
  return ValidateSelected(id, ui, grid);
}

}  // namespace nuvrel::transfers
