// SPDX-License-Identifier: MIT
#include "sheets/layouts.h"

#include <gtest/gtest.h>

#include "sheets/cell_types.h"
#include "sheets/workspace.h"

namespace nuvrel::sheets {
namespace {

using grid::CellTable;
using Fmt = grid::CellFormat;

// Eight pixels a character, sixteen a line: the default width is " XXXXXXXXXXXX " = 112, the
// margin 8.
grid::FixedPitchMeasurer measurer(8, 16);

struct Expected {
  SheetId id;
  int rows;
  int cols;
  const char* firstLabel;
  const char* lastLabel;
  bool editable;
};

class EverySheet : public ::testing::TestWithParam<Expected> {};

TEST_P(EverySheet, HasItsSizeLabelsZebraRowsAndEditability) {
  const Expected& e = GetParam();
  CellTable t(&measurer);
  SetupSheet(e.id, t);
  EXPECT_EQ(t.GetRowCount(), e.rows);
  EXPECT_EQ(t.GetColumnCount(), e.cols);
  EXPECT_EQ(t.GetFixedRowCount(), 1);
  EXPECT_EQ(t.GetFixedColumnCount(), 1);
  EXPECT_EQ(t.GetItemText(1, 0), e.firstLabel);
  EXPECT_EQ(t.GetItemText(e.rows - 1, 0), e.lastLabel);
  EXPECT_EQ(t.GetItemText(0, 0), "");
  EXPECT_EQ(t.GetItemFormat(1, 0) & Fmt::AlignMask, Fmt::Right);
  EXPECT_EQ(t.IsEditable(), e.editable);
  EXPECT_FALSE(t.GetRowResize());
  EXPECT_TRUE(t.GetModified());  // the set-up itself marks the grid

  const grid::Colour zebra = InfoFor(e.id).zebra;
  for (int r = 1; r < e.rows; ++r) {
    for (int c = 1; c < e.cols; ++c) {
      const grid::Colour expected = (r % 2 == 0) ? zebra : grid::kDefaultColour;
      ASSERT_EQ(t.GetCell(r, c)->GetBackColour(), expected) << r << "," << c;
    }
    EXPECT_EQ(t.GetCell(r, 0)->GetBackColour(), grid::kDefaultColour);
  }
  for (int r = 1; r < e.rows; ++r) {
    for (int c = 1; c < e.cols; ++c) ASSERT_EQ(t.GetItemText(r, c), "") << r << "," << c;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, EverySheet,
    ::testing::Values(Expected{SheetId::Articles, 2401, 8, "1", "2400", true},
                      Expected{SheetId::Operators, 10, 2, "1", "9", true},
                      Expected{SheetId::Departments, 11, 2, "0", "9", true},
                      Expected{SheetId::FirmData, 7, 2, "1", "6", true},
                      Expected{SheetId::Advertisement, 10, 2, "1", "9", true},
                      Expected{SheetId::ArticlesReport, 2401, 10, "1", "2400", false},
                      Expected{SheetId::DepartmentReport, 11, 3, "0", "9", false}));

TEST(Layouts, ArticlesColumnsHaveTheirHeadersClassesAndAlignments) {
  CellTable t(&measurer);
  SetupArticlesSheet(t);
  const char* headers[] = {"",         "Name",       "Barcode", "Price",
                           "Tax grp.", "Department", "Unit",    "In stock"};
  for (int c = 0; c < 8; ++c) EXPECT_EQ(t.GetItemText(0, c), headers[c]);

  EXPECT_EQ(t.GetItemFormat(0, 1) & Fmt::AlignMask, Fmt::Left);
  EXPECT_EQ(t.GetItemFormat(0, 2) & Fmt::AlignMask, Fmt::Center);
  EXPECT_EQ(t.GetItemFormat(0, 3) & Fmt::AlignMask, Fmt::Right);
  EXPECT_EQ(t.GetItemFormat(2400, 7) & Fmt::AlignMask, Fmt::Right);
  EXPECT_EQ(t.GetItemFormat(5, 5) & Fmt::AlignMask, Fmt::Center);

  EXPECT_NE(dynamic_cast<const CGridCellBarcode*>(t.GetCell(1, 2)), nullptr);
  EXPECT_NE(dynamic_cast<const CGridCellPrice*>(t.GetCell(2400, 3)), nullptr);
  EXPECT_NE(dynamic_cast<const CGridCellChar1*>(t.GetCell(7, 4)), nullptr);
  EXPECT_NE(dynamic_cast<const CGridCellNum1*>(t.GetCell(7, 5)), nullptr);
  EXPECT_NE(dynamic_cast<const CGridCellNum1*>(t.GetCell(7, 6)), nullptr);
  EXPECT_NE(dynamic_cast<const CGridCellQuantity*>(t.GetCell(7, 7)), nullptr);
  // Header and label cells stay plain; replaced cells keep the zebra colour.
  EXPECT_EQ(dynamic_cast<const CGridCellBarcode*>(t.GetCell(0, 2)), nullptr);
  EXPECT_EQ(t.GetCell(2, 3)->GetBackColour(), InfoFor(SheetId::Articles).zebra);

  // Widths: Name 150, Price and In stock the default width, the auto-sized ones from their texts
  // (text width + four margins of one blank each).
  EXPECT_EQ(t.GetColumnWidth(1), 150);
  EXPECT_EQ(t.GetColumnWidth(3), 112);
  EXPECT_EQ(t.GetColumnWidth(7), 112);
  EXPECT_EQ(t.GetColumnWidth(0), 4 * 8 + 4 * 8);   // "2400"
  EXPECT_EQ(t.GetColumnWidth(4), 8 * 8 + 4 * 8);   // "Tax grp."
  EXPECT_EQ(t.GetColumnWidth(5), 10 * 8 + 4 * 8);  // "Department"
  EXPECT_EQ(t.GetColumnWidth(6), 4 * 8 + 4 * 8);   // "Unit"
  EXPECT_EQ(t.GetColumnWidth(2), 12 * 8 + 4 * 8);  // a 12-digit barcode
  EXPECT_EQ(t.GetItemText(1, 2), "");              // the width trick leaves no trace
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

TEST(Layouts, BlankArticleCellsEditAndNormaliseAsWrittenOnes) {
  CellTable t(&measurer);
  SetupArticlesSheet(t);
  const CellTable& view = t;
  const grid::EditSpec barcode = view.GetCell(9, articles::kBarcode)->Edit();
  EXPECT_TRUE(barcode.digitsOnly);
  EXPECT_EQ(barcode.lengthLimit, 12);
  const struct {
    int col;
    const char* typed;
    const char* stored;
  } cases[] = {
      {articles::kName, "Milk", "Milk"},    {articles::kBarcode, "12", "000000000012"},
      {articles::kPrice, "5", "5.00"},      {articles::kTaxGroup, "AB", ""},
      {articles::kDepartment, "x", ""},     {articles::kUnit, "7", "7"},
      {articles::kInStock, "1,5", "1.500"},
  };
  for (const auto& c : cases) {
    t.SetItemText(9, c.col, c.typed);
    EXPECT_EQ(t.GetItemText(9, c.col), c.stored) << c.col;
  }
  EXPECT_NE(dynamic_cast<const CGridCellPrice*>(t.GetCell(9, articles::kPrice)), nullptr);
}

TEST(Layouts, ArticlesReportAddsTurnoverAndSales) {
  CellTable t(&measurer);
  SetupArticlesReportSheet(t);
  EXPECT_EQ(t.GetItemText(0, 8), "Turnover");
  EXPECT_EQ(t.GetItemText(0, 9), "Sales");
  EXPECT_NE(dynamic_cast<const CGridCellPrice*>(t.GetCell(3, 8)), nullptr);
  EXPECT_NE(dynamic_cast<const CGridCellQuantity*>(t.GetCell(3, 9)), nullptr);
  EXPECT_EQ(t.GetColumnWidth(2), 12 * 8 + 4 * 8);
  // Filled by the register, never typed into.
  EXPECT_FALSE(t.IsCellEditable(1, 1));
}

TEST(Layouts, TextSheetsAndTheDepartmentReport) {
  const std::pair<SheetId, std::pair<const char*, int>> sheets[] = {
      {SheetId::Operators, {"Name", 250}},
      {SheetId::Departments, {"Name", 150}},
      {SheetId::FirmData, {"Text", 250}},
      {SheetId::Advertisement, {"Text", 250}},
  };
  for (const auto& [id, expected] : sheets) {
    CellTable t(&measurer);
    SetupSheet(id, t);
    EXPECT_EQ(t.GetItemText(0, 1), expected.first);
    EXPECT_EQ(t.GetColumnWidth(1), expected.second);
    EXPECT_EQ(t.GetItemFormat(0, 1) & Fmt::AlignMask, Fmt::Left);
  }
  CellTable d(&measurer);
  SetupDepartmentReportSheet(d);
  EXPECT_EQ(d.GetItemText(0, 2), "Turnover");
  EXPECT_EQ(d.GetColumnWidth(1), 150);
  EXPECT_EQ(d.GetColumnWidth(2), 112);
  d.SetItemText(3, 2, "12,50");
  EXPECT_EQ(d.GetItemText(3, 2), "12.50");
}

TEST(Layouts, TheWorkspaceHoldsEverySheetLaidOut) {
  Workspace w(&measurer);
  EXPECT_EQ(w.Grid(SheetId::Articles).GetRowCount(), 2401);
  EXPECT_EQ(w.Grid(SheetId::DepartmentReport).GetItemText(10, 0), "9");
  EXPECT_TRUE(w.AnyModified());
  EXPECT_TRUE(w.File(SheetId::Operators).Empty());
  EXPECT_TRUE(w.ReportsText().empty());
}

}  // namespace
}  // namespace nuvrel::sheets
