// SPDX-License-Identifier: MIT
#include "transfers/articles_report.h"

#include <gtest/gtest.h>

#include "report_register.h"
#include "sheets/layouts.h"

namespace nuvrel::transfers {
namespace {

using namespace std::chrono_literals;
using report_test::ArticleLine;
using report_test::ReportLine;
using report_test::ShortArticleLine;
namespace col = sheets::articles;

// The line that ends the report: anything of 66 bytes or fewer.
link::Bytes EndLine(std::size_t length = 20) {
  return ReportLine('f', std::string(length - 12, ' '));
}

class ArticlesReport : public report_test::ReportDownload {
 protected:
  ArticlesReport() { sheets::SetupArticlesReportSheet(grid); }

  bool Download() { return DownloadArticlesReport(ctx, grid); }
  std::string Cell(int row, int c) const { return grid.GetItemText(row, c); }
  // Every data cell of the sheet that holds text, as "row:col".
  std::vector<std::string> FilledCells() const {
    std::vector<std::string> filled;
    for (int r = 1; r < grid.GetRowCount(); ++r) {
      for (int c = 1; c < grid.GetColumnCount(); ++c) {
        if (!grid.GetItemText(r, c).empty())
          filled.push_back(std::to_string(r) + ":" + std::to_string(c));
      }
    }
    return filled;
  }

  grid::CellTable grid;
};

TEST_F(ArticlesReport, LinesOutsideTheSheetOrTooShortAreCountedButStoreNothing) {
  const struct {
    const char* what;
    std::vector<link::Bytes> lines;
    std::vector<std::string> statuses;
    std::size_t filled;
  } cases[] = {
      // A 67-byte line is counted but too short to store anything; one of 66 ends the report, and
      // the line after it is neither counted nor stored.
      {"end",
       {ShortArticleLine("   3", 67), EndLine(66), ArticleLine("   5")},
       {"Read item 3", "Successfully read 1 item"},
       0},
      {"no number",
       {ArticleLine("12ab"), ArticleLine("  -1"), ArticleLine("    "), ArticleLine("   7"),
        EndLine()},
       {"Read item 7", "Successfully read 1 item"},
       9},
      {"outside",
       // Lines that store nothing are not checked for damage either.
       {ArticleLine("   0", link::article_line::kPrice, "4.0x0"),
        ArticleLine("2401", link::article_line::kBarcode, "12a4"), ShortArticleLine("   4", 80),
        EndLine()},
       {"Read item 0", "Read item 2401", "Read item 4", "Successfully read 3 items"},
       0},
  };
  reg.spacing = 0ms;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ui = {};
    reg.lines = c.lines;
    EXPECT_TRUE(Download());
    EXPECT_EQ(ui.statuses, c.statuses);
    EXPECT_EQ(FilledCells().size(), c.filled);
    EXPECT_EQ(ui.shown.size(), c.filled ? 1U : 0U);
  }
}

TEST_F(ArticlesReport, ALineCutInTheLastFieldLeavesTheRowAsItWas) {
  grid.SetItemText(6, col::kName, "KEPT");
  std::string line = report_test::Text(ArticleLine("   6"));
  line.resize(94);  // the stock field lacks its last byte
  StoreArticleRecord(ui, grid, line, 6);
  EXPECT_EQ(Cell(6, col::kName), "KEPT");
  EXPECT_EQ(FilledCells().size(), 1U);

  line = report_test::Text(ArticleLine("   6"));
  line[95] = '\0';  // a NUL after the last field does not matter
  StoreArticleRecord(ui, grid, line, 6);
  EXPECT_EQ(Cell(6, col::kName), "ITEM");
  line[90] = '\0';  // one inside it does
  StoreArticleRecord(ui, grid, line, 7);
  EXPECT_EQ(Cell(7, col::kName), "");
}

}  // namespace
}  // namespace nuvrel::transfers
