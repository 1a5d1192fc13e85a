// SPDX-License-Identifier: MIT
#include "transfers/sheet_differences.h"

#include <algorithm>
#include <string>

#include "sheets/layouts.h"
#include "transfers/article_fields.h"
#include "transfers/text_records.h"

namespace nuvrel::transfers {
namespace {

const TextRecordRule* TextRuleOf(sheets::SheetId id) {
  switch (id) {
    case sheets::SheetId::Operators: return &kOperatorRecord;
    case sheets::SheetId::Departments: return &kDepartmentRecord;
    case sheets::SheetId::FirmData: return &kFirmDataRecord;
    case sheets::SheetId::Advertisement: return &kAdvertisementRecord;
    default: return nullptr;
  }
}

struct SentArea {
  int rows = 0;  // 1..rows
  int lastColumn = 0;
};

SentArea AreaOf(sheets::SheetId id) {
  if (id == sheets::SheetId::Articles) return {kArticleRows, sheets::articles::kInStock};
  if (const TextRecordRule* rule = TextRuleOf(id)) return {rule->rows, sheets::kTextColumn};
  return {};
}

int ArticleFieldWidth(int col) {
  for (const ArticleField& field : kArticleFields) {
    if (field.column == col) return field.width;
  }
  return 0;
}

}  // namespace

bool CellDiffers(sheets::SheetId id, const grid::CellTable& sheet, const grid::CellTable& known,
                 int row, int col) {
  const SentArea area = AreaOf(id);
  if (row < 1 || row > area.rows || col < 1 || col > area.lastColumn) return false;
  const std::string text = sheet.GetItemText(row, col);
  if (text.empty()) return false;
  if (id == sheets::SheetId::Articles) {
    const int width = ArticleFieldWidth(col);
    return FormatArticleField(sheet, row, col, width) != FormatArticleField(known, row, col, width);
  }
  const std::string held = known.GetItemText(row, col);
  if (held.empty()) return true;
  const std::size_t width = TextRuleOf(id)->width;
  return RegisterText(text, width) != RegisterText(held, width);
}

std::vector<grid::CellId> Differences(sheets::SheetId id, const grid::CellTable& sheet,
                                      const grid::CellTable& known) {
  std::vector<grid::CellId> cells;
  const SentArea area = AreaOf(id);
  const int last = std::min({area.rows, sheet.GetRowCount() - 1, known.GetRowCount() - 1});
  for (int row = 1; row <= last; ++row) {
    for (int col = 1; col <= area.lastColumn; ++col) {
      if (CellDiffers(id, sheet, known, row, col)) cells.push_back({row, col});
    }
  }
  return cells;
}

}  // namespace nuvrel::transfers
