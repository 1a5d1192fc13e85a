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

bool UploadTextSheet(TransferContext& context, grid::CellTable& grid, sheets::SheetId sheet,
                     const TextRecordRule& rule, bool (*validate)(app::Ui&, grid::CellTable&),
                     bool selectionOnly) {
  UploadPlan plan;
  plan.validate = validate;
  plan.sheet = sheet;
  plan.selection = selectionOnly;
  plan.letter = rule.letter;
  plan.rows = rule.rows;
  plan.fields = [&grid, &rule, selectionOnly](int row) -> std::optional<std::string> {
    const std::string text = grid.GetItemText(row, sheets::kTextColumn);
    const bool send = selectionOnly ? grid.IsCellSelected(row, sheets::kTextColumn) : !text.empty();
    if (!send) return std::nullopt;
    return TextRecordFields(rule, row, text);
  };
  return RunUpload(context, grid, plan);
}

}  // namespace

bool UploadArticles(TransferContext& context, grid::CellTable& grid) {
  UploadPlan plan;
  plan.validate = &ValidateArticles;
  plan.letter = 'r';
  plan.rows = kArticleRows;
  plan.fields = [&grid](int row) -> std::optional<std::string> {
    const bool any = AnyArticleCell([&](int col) { return !grid.GetItemText(row, col).empty(); });
    if (!any) return std::nullopt;
    return ArticleRecordFields(grid, row, false);
  };
  return RunUpload(context, grid, plan);
}

bool UploadSelectedArticles(TransferContext& context, grid::CellTable& grid) {
  UploadPlan plan;
  plan.validate = &ValidateSelectedArticles;
  plan.letter = 'r';
  plan.rows = kArticleRows;
  plan.fields = [&grid](int row) -> std::optional<std::string> {
    const bool any = AnyArticleCell([&](int col) { return grid.IsCellSelected(row, col); });
    if (!any) return std::nullopt;
    return ArticleRecordFields(grid, row, true);
  };
  plan.selection = true;
  return RunUpload(context, grid, plan);
}

bool UploadOperators(TransferContext& context, grid::CellTable& grid) {
  return UploadTextSheet(context, grid, sheets::SheetId::Operators, kOperatorRecord,
                         &ValidateOperators, false);
}
bool UploadSelectedOperators(TransferContext& context, grid::CellTable& grid) {
  return UploadTextSheet(context, grid, sheets::SheetId::Operators, kOperatorRecord,
                         &ValidateSelectedOperators, true);
}

bool UploadDepartments(TransferContext& context, grid::CellTable& grid) {
  return UploadTextSheet(context, grid, sheets::SheetId::Departments, kDepartmentRecord,
                         &ValidateDepartments, false);
}
bool UploadSelectedDepartments(TransferContext& context, grid::CellTable& grid) {
  return UploadTextSheet(context, grid, sheets::SheetId::Departments, kDepartmentRecord,
                         &ValidateSelectedDepartments, true);
}

bool UploadFirmData(TransferContext& context, grid::CellTable& grid) {
  return UploadTextSheet(context, grid, sheets::SheetId::FirmData, kFirmDataRecord,
                         &ValidateFirmData, false);
}
bool UploadSelectedFirmData(TransferContext& context, grid::CellTable& grid) {
  return UploadTextSheet(context, grid, sheets::SheetId::FirmData, kFirmDataRecord,
                         &ValidateSelectedFirmData, true);
}

bool UploadAdvertisement(TransferContext& context, grid::CellTable& grid) {
  return UploadTextSheet(context, grid, sheets::SheetId::Advertisement, kAdvertisementRecord,
                         &ValidateAdvertisement, false);
}
bool UploadSelectedAdvertisement(TransferContext& context, grid::CellTable& grid) {
  return UploadTextSheet(context, grid, sheets::SheetId::Advertisement, kAdvertisementRecord,
                         &ValidateSelectedAdvertisement, true);
}

bool UploadSheet(TransferContext& context, sheets::SheetId id, grid::CellTable& grid,
                 bool selectionOnly) {
  using sheets::SheetId;
  switch (id) {
    case SheetId::Articles:
      return selectionOnly ? UploadSelectedArticles(context, grid) : UploadArticles(context, grid);
    case SheetId::Operators:
      return selectionOnly ? UploadSelectedOperators(context, grid)
                           : UploadOperators(context, grid);
    case SheetId::Departments:
      return selectionOnly ? UploadSelectedDepartments(context, grid)
                           : UploadDepartments(context, grid);
    case SheetId::FirmData:
      return selectionOnly ? UploadSelectedFirmData(context, grid) : UploadFirmData(context, grid);
    case SheetId::Advertisement:
      return selectionOnly ? UploadSelectedAdvertisement(context, grid)
                           : UploadAdvertisement(context, grid);
    case SheetId::ArticlesReport:
    case SheetId::DepartmentReport:
    case SheetId::Reports: break;
  }
  return false;
}

}  // namespace nuvrel::transfers
