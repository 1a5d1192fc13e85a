// SPDX-License-Identifier: MIT
#include "sheets/report_to_articles.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/strings.h"
#include "sheets/layouts.h"
#include "support/recording_ui.h"

namespace nuvrel::sheets {
namespace {

using namespace articles;

// Every data cell of a sheet, row by row.
std::vector<std::string> DataCells(const grid::CellTable& t) {
  std::vector<std::string> cells;
  for (int r = 1; r < t.GetRowCount(); ++r) {
    for (int c = 1; c < t.GetColumnCount(); ++c) cells.push_back(t.GetItemText(r, c));
  }
  return cells;
}

void FillReportRow(grid::CellTable& report, int row, const std::string& name) {
  report.SetItemText(row, kName, name);
  report.SetItemText(row, kBarcode, "4006381333931");
  report.SetItemText(row, kPrice, "12.5");
  report.SetItemText(row, kTaxGroup, "B");
  report.SetItemText(row, kDepartment, "3");
  report.SetItemText(row, kUnit, "1");
  report.SetItemText(row, kInStock, "7");
  report.SetItemText(row, kTurnover, "99");
  report.SetItemText(row, kSales, "42");
}

class ReportToArticlesTest : public ::testing::Test {
 protected:
  ReportToArticlesTest() {
    SetupSheet(SheetId::Articles, articles);
    SetupSheet(SheetId::ArticlesReport, report);
    for (int r = 1; r <= 6; ++r) articles.SetItemText(r, kName, "old " + std::to_string(r));
    articles.SetItemText(2400, kInStock, "1");
    FillReportRow(report, 5, "Milk");
    FillReportRow(report, 17, "Bread");
  }

  grid::CellTable articles;
  grid::CellTable report;
  test::RecordingUi ui;
};

TEST_F(ReportToArticlesTest, AfterAYesTheArticlesAreTheReportRows) {
  const auto before = DataCells(articles);
  ui.answers = {false, true, true};
  EXPECT_FALSE(ReportToArticles(ui, articles, report));
  EXPECT_EQ(DataCells(articles), before);
  ASSERT_EQ(ui.questions.size(), 1U);
  EXPECT_EQ(ui.questions[0].text, app::Text(app::Sid::ReportToArticlesQuestion));
  EXPECT_TRUE(ui.questions[0].noIsDefault);

  EXPECT_TRUE(ReportToArticles(ui, articles, report));
  EXPECT_EQ(ui.waitDepth, 0);
  for (int r = 1; r < articles.GetRowCount(); ++r) {
    if (r == 5 || r == 17) continue;
    for (int c = kName; c <= kInStock; ++c)
      ASSERT_EQ(articles.GetItemText(r, c), "") << r << "," << c;
  }
  for (int r : {5, 17}) {
    for (int c = kName; c <= kInStock; ++c)
      EXPECT_EQ(articles.GetItemText(r, c), report.GetItemText(r, c));
  }
  EXPECT_EQ(articles.GetItemText(17, kName), "Bread");
  // The in-stock column takes the stock, not the sales or the turnover beside it.
  EXPECT_EQ(articles.GetItemText(5, kInStock), "7.000");
  EXPECT_EQ(articles.GetColumnCount(), 8);
  EXPECT_EQ(articles.GetItemText(5, 0), "5");
  // Twice is the same as once.
  const auto once = DataCells(articles);
  EXPECT_TRUE(ReportToArticles(ui, articles, report));
  EXPECT_EQ(DataCells(articles), once);
}

TEST_F(ReportToArticlesTest, CopiedTextsGoThroughTheArticleCellRules) {
  // A report built by hand, with plain cells that keep whatever they are given.
  grid::CellTable raw;
  raw.SetRowCount(2401);
  raw.SetColumnCount(10);
  raw.SetItemText(1, kBarcode, "123");
  raw.SetItemText(1, kPrice, "12,5");
  raw.SetItemText(1, kTaxGroup, "AB");
  raw.SetItemText(1, kDepartment, "x");
  raw.SetItemText(1, kInStock, "3,25");
  ui.answers = {true};
  ASSERT_TRUE(ReportToArticles(ui, articles, raw));
  EXPECT_EQ(articles.GetItemText(1, kBarcode), "000000000123");
  EXPECT_EQ(articles.GetItemText(1, kPrice), "12.50");
  EXPECT_EQ(articles.GetItemText(1, kTaxGroup), "");
  EXPECT_EQ(articles.GetItemText(1, kDepartment), "");
  EXPECT_EQ(articles.GetItemText(1, kInStock), "3.250");
}

}  // namespace
}  // namespace nuvrel::sheets
