// SPDX-License-Identifier: MIT
#include "sheets/layouts.h"

#include <gtest/gtest.h>

namespace nuvrel::sheets {
namespace {

using grid::CellTable;

TEST(Layouts, EverySheetIsNumberedStripedEmptyAndEditableUnlessFilledByTheRegister) {
  const struct {
    SheetId id;
    const char* firstLabel;
    const char* lastLabel;
    bool editable;
  } sheets[] = {
      {SheetId::Articles, "1", "2400", true},       {SheetId::Operators, "1", "9", true},
      {SheetId::Departments, "0", "9", true},       {SheetId::FirmData, "1", "6", true},
      {SheetId::Advertisement, "1", "9", true},     {SheetId::ArticlesReport, "1", "2400", false},
      {SheetId::DepartmentReport, "0", "9", false},
  };
  for (const auto& e : sheets) {
    SCOPED_TRACE(static_cast<int>(e.id));
    CellTable t(nullptr);
    SetupSheet(e.id, t);
    const int rows = t.GetRowCount();
    EXPECT_EQ(t.GetItemText(1, 0), e.firstLabel);
    EXPECT_EQ(t.GetItemText(rows - 1, 0), e.lastLabel);
    EXPECT_EQ(t.IsEditable(), e.editable);
    EXPECT_EQ(t.IsCellEditable(1, 1), e.editable);
    EXPECT_TRUE(t.GetModified());  // the set-up itself marks the grid

    // Even data rows are striped, odd ones and the labels plain; every data cell is empty.
    const grid::Colour stripe = t.GetCell(2, 1)->GetBackColour();
    EXPECT_NE(stripe, grid::kDefaultColour);
    for (int r = 1; r < rows; ++r) {
      for (int c = 1; c < t.GetColumnCount(); ++c) {
        ASSERT_EQ(t.GetCell(r, c)->GetBackColour(), r % 2 ? grid::kDefaultColour : stripe)
            << r << "," << c;
        ASSERT_EQ(t.GetItemText(r, c), "") << r << "," << c;
      }
      EXPECT_EQ(t.GetCell(r, 0)->GetBackColour(), grid::kDefaultColour);
    }
  }
}

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
