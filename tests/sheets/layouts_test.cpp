// SPDX-License-Identifier: MIT
#include "sheets/layouts.h"

#include <gtest/gtest.h>

namespace nuvrel::sheets {
namespace {

using grid::CellTable;

// Each character as wide as its code modulo 7, plus 5: which row label is the widest depends on
// its digits ("1000" is wider than "2400").
class ProportionalMeasurer final : public grid::TextMeasurer {
 public:
  grid::Size TextExtent(std::string_view text) const override {
    int width = 0;
    for (unsigned char c : text) width += 5 + c % 7;
    return {width, 16};
  }
  int Overhang() const override { return 1; }
};

TEST(Layouts, ArticleColumnsAreAsWideAsMeasuringEveryRowMakesThem) {
  const ProportionalMeasurer proportional;
  for (SheetId id : {SheetId::Articles, SheetId::ArticlesReport}) {
    CellTable t(&proportional);
    SetupSheet(id, t);
    const std::vector<int> widths = t.ColumnWidths();
    for (int col : {0, 4, 5, 6}) t.AutoSizeColumn(col);
    t.SetItemText(1, 2, "1");  // a twelve-digit barcode
    t.AutoSizeColumn(2);
    t.SetItemText(1, 2, "");
    EXPECT_EQ(t.ColumnWidths(), widths) << static_cast<int>(id);
  }
}

TEST(Layouts, EveryCellOfAColumnEditsAndNormalisesByItsRule) {
  const struct {
    SheetId id;
    int col;
    const char* typed;
    const char* stored;
  } cases[] = {
      {SheetId::Articles, articles::kName, "Milk", "Milk"},
      {SheetId::Articles, articles::kBarcode, "12", "000000000012"},
      {SheetId::Articles, articles::kPrice, "5", "5.00"},
      {SheetId::Articles, articles::kTaxGroup, "AB", ""},
      {SheetId::Articles, articles::kDepartment, "x", ""},
      {SheetId::Articles, articles::kUnit, "7", "7"},
      {SheetId::Articles, articles::kInStock, "1,5", "1.500"},
      {SheetId::ArticlesReport, articles::kTurnover, "1,5", "1.50"},
      {SheetId::ArticlesReport, articles::kSales, "2", "2.000"},
      {SheetId::DepartmentReport, departments::kTurnover, "12,50", "12.50"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.col);
    CellTable t(nullptr);
    SetupSheet(c.id, t);
    // The last row too: blank cells behave as written ones.
    for (int row : {1, t.GetRowCount() - 1}) {
      t.SetItemText(row, c.col, c.typed);
      EXPECT_EQ(t.GetItemText(row, c.col), c.stored) << row;
    }
  }
}

}  // namespace
}  // namespace nuvrel::sheets
