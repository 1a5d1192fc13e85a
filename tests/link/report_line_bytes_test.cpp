// SPDX-License-Identifier: MIT
// Report lines as the register sends them, written out byte by byte without the offset table, and
// what the client makes of them: a shifted offset on either side shows here.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "grid/cell_table.h"
#include "sheets/layouts.h"
#include "support/recording_ui.h"
#include "transfers/articles_report.h"
#include "transfers/daily_report.h"

namespace nuvrel::transfers {
namespace {

// clang-format off
constexpr std::string_view kArticleLine =
    "\xAA"              //  0     start byte
    "000001"            //  1..6  device digits
    "f"                 //  7     type letter
    "  12"              //  8..11 article number
    " "
    "BREAD          "   // 13..27 name
    " "
    "   400123456"      // 29..40 barcode
    " "
    "    12,50"         // 42..50 price
    " "
    "1"                 // 52     tax group
    " "
    "3"                 // 54     department
    " "
    "1"                 // 56     unit
    " "
    "      1234,50"     // 58..70 turnover
    " "
    "      2,250"       // 72..82 sales
    " "
    "      7,125"       // 84..94 stock
    "00\r\n";           //        check pair, CR, LF

constexpr std::string_view kGroupLine =
    "\xAA"              //  0     start byte
    "000001"            //  1..6  device digits
    "G"                 //  7     type letter
    "4"                 //  8     department index
    " "
    "MILK           "   // 10..24 name
    "             "     // 25..37 not read
    "       345,60"     // 38..50 turnover
    "00\r\n";           //        check pair, CR, LF
// clang-format on

TEST(ReportLineBytes, AnArticleLineFillsItsRow) {
  grid::CellTable grid;
  sheets::SetupArticlesReportSheet(grid);
  test::RecordingUi ui;
  ASSERT_EQ(CheckArticleRecord(grid, kArticleLine, 12), RecordCheck::Whole);
  StoreArticleRecord(ui, grid, kArticleLine, 12);
  const char* expected[] = {"BREAD", "000400123456", "12.50",   "1",    "3",
                            "1",     "7.125",        "1234.50", "2.250"};
  for (int col = 1; col <= 9; ++col) {
    EXPECT_EQ(grid.GetItemText(12, col), expected[col - 1]) << "column " << col;
  }
}

TEST(ReportLineBytes, AGroupLineFillsItsDepartmentRow) {
  grid::CellTable grid;
  sheets::SetupDepartmentReportSheet(grid);
  test::RecordingUi ui;
  ASSERT_EQ(CheckDepartmentRecord(grid, kGroupLine, 5), RecordCheck::Whole);
  StoreDepartmentRecord(ui, grid, kGroupLine, 5);
  EXPECT_EQ(grid.GetItemText(5, 1), "MILK");
  EXPECT_EQ(grid.GetItemText(5, 2), "345.60");
}

TEST(ReportLineBytes, ADamagedOrShortArticleLineIsNotStored) {
  grid::CellTable grid;
  sheets::SetupArticlesReportSheet(grid);
  std::string damaged(kArticleLine);
  damaged[46] = 'x';  // inside the price
  EXPECT_EQ(CheckArticleRecord(grid, damaged, 12), RecordCheck::Damaged);
  // Cut off inside the stock field.
  EXPECT_EQ(CheckArticleRecord(grid, kArticleLine.substr(0, 90), 12), RecordCheck::Unstored);
}

}  // namespace
}  // namespace nuvrel::transfers
