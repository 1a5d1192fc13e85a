// SPDX-License-Identifier: MIT
#include "transfers/uploads.h"

#include <functional>
#include <optional>

#include "sheets/layouts.h"
#include "transfers/text_records.h"
#include "transfers/upload_sequence.h"
#include "transfers/validation.h"

namespace nuvrel::transfers {
namespace {

namespace columns = sheets::articles;

// Whether the test holds for any of the row's cells in columns 1..7.
bool AnyArticleCell(const std::function<bool(int col)>& test) {
  for (int col = columns::kName; col <= columns::kInStock; ++col) {
    if (test(col)) return true;
  }
  return false;
}

UploadPlan TextSheetPlan(grid::CellTable& grid, sheets::SheetId sheet, const TextRecordRule& rule,
                         bool (*validate)(app::Ui&, grid::CellTable&), bool selectionOnly) {
  UploadPlan plan;
  plan.validate = validate;
  plan.sheet = sheet;
  plan.source = selectionOnly ? StateSource::Selection : StateSource::Sent;
  plan.letter = rule.letter;
  plan.rows = rule.rows;
  plan.lastColumn = sheets::kTextColumn;
  plan.sets = [&grid, selectionOnly](int row, int col) {
    return selectionOnly ? grid.IsCellSelected(row, col) : !grid.GetItemText(row, col).empty();
  };
  plan.fields = [&grid, &rule, sets = plan.sets](int row) -> std::optional<std::string> {
    if (!sets(row, sheets::kTextColumn)) return std::nullopt;
    return TextRecordFields(rule, row, grid.GetItemText(row, sheets::kTextColumn));
  };
  return plan;
}

UploadPlan ArticlesPlan(grid::CellTable& grid, bool selectionOnly) {
  UploadPlan plan;
  plan.validate = selectionOnly ? &ValidateSelectedArticles : &ValidateArticles;
  plan.source = selectionOnly ? StateSource::Selection : StateSource::Sent;
  plan.letter = 'r';
  plan.rows = kArticleRows;
  plan.lastColumn = columns::kInStock;
  // A whole-sheet record leaves an empty cell's field as the register has it; a selection sets
  // every selected field, an empty one to blanks or zeros.
  plan.sets = [&grid, selectionOnly](int row, int col) {
    return selectionOnly ? grid.IsCellSelected(row, col) : !grid.GetItemText(row, col).empty();
  };
  plan.fields = [&grid, selectionOnly, sets = plan.sets](int row) -> std::optional<std::string> {
    const bool any = AnyArticleCell([&](int col) { return sets(row, col); });
    if (!any) return std::nullopt;
    return ArticleRecordFields(grid, row, selectionOnly);
  };
  return plan;
}

}  // namespace

bool UploadArticles(TransferContext& context, grid::CellTable& grid) {
  return RunUpload(context, grid, ArticlesPlan(grid, false));
}

bool UploadSelectedArticles(TransferContext& context, grid::CellTable& grid) {
  return RunUpload(context, grid, ArticlesPlan(grid, true));
}

bool UploadOperators(TransferContext& context, grid::CellTable& grid) {
  return UploadSheet(context, sheets::SheetId::Operators, grid, false);
}
bool UploadSelectedOperators(TransferContext& context, grid::CellTable& grid) {
  return UploadSheet(context, sheets::SheetId::Operators, grid, true);
}
bool UploadDepartments(TransferContext& context, grid::CellTable& grid) {
  return UploadSheet(context, sheets::SheetId::Departments, grid, false);
}
bool UploadSelectedDepartments(TransferContext& context, grid::CellTable& grid) {
  return UploadSheet(context, sheets::SheetId::Departments, grid, true);
}
bool UploadFirmData(TransferContext& context, grid::CellTable& grid) {
  return UploadSheet(context, sheets::SheetId::FirmData, grid, false);
}
bool UploadSelectedFirmData(TransferContext& context, grid::CellTable& grid) {
  return UploadSheet(context, sheets::SheetId::FirmData, grid, true);
}
bool UploadAdvertisement(TransferContext& context, grid::CellTable& grid) {
  return UploadSheet(context, sheets::SheetId::Advertisement, grid, false);
}
bool UploadSelectedAdvertisement(TransferContext& context, grid::CellTable& grid) {
  return UploadSheet(context, sheets::SheetId::Advertisement, grid, true);
}

std::optional<UploadPlan> PlanFor(sheets::SheetId id, grid::CellTable& grid, bool selectionOnly) {
  using sheets::SheetId;
  const bool sel = selectionOnly;
  switch (id) {
    case SheetId::Articles: return ArticlesPlan(grid, sel);
    case SheetId::Operators:
      return TextSheetPlan(grid, id, kOperatorRecord,
                           sel ? &ValidateSelectedOperators : &ValidateOperators, sel);
    case SheetId::Departments:
      return TextSheetPlan(grid, id, kDepartmentRecord,
                           sel ? &ValidateSelectedDepartments : &ValidateDepartments, sel);
    case SheetId::FirmData:
      return TextSheetPlan(grid, id, kFirmDataRecord,
                           sel ? &ValidateSelectedFirmData : &ValidateFirmData, sel);
    case SheetId::Advertisement:
      return TextSheetPlan(grid, id, kAdvertisementRecord,
                           sel ? &ValidateSelectedAdvertisement : &ValidateAdvertisement, sel);
    case SheetId::ArticlesReport:
    case SheetId::DepartmentReport:
    case SheetId::Reports: break;
  }
  return std::nullopt;
}

bool UploadSheet(TransferContext& context, sheets::SheetId id, grid::CellTable& grid,
                 bool selectionOnly) {
  const std::optional<UploadPlan> plan = PlanFor(id, grid, selectionOnly);
  return plan && RunUpload(context, grid, *plan);
}

}  // namespace nuvrel::transfers
