// SPDX-License-Identifier: MIT
#include "transfers/daily_report.h"

#include <gtest/gtest.h>

#include "report_register.h"
#include "sheets/layouts.h"

namespace nuvrel::transfers {
namespace {

using namespace std::chrono_literals;
using report_test::GroupLine;
using report_test::ReportLine;
namespace col = sheets::departments;

const std::string kCrLf = "\r\n";

TEST(RenderReportLine, AppendsThePayloadTranslatedUpToTheTrailer) {
  std::string text;
  StringPane pane(text);
  RenderReportLine(pane, report_test::Text(ReportLine('D', "1 \x80\x81 12,50")));
  EXPECT_EQ(text, "1 ab 12,50\r\n");

  text.clear();
  RenderReportLine(pane, report_test::Text(ReportLine('D', "XY")));  // 14 bytes
  EXPECT_EQ(text, "");
  RenderReportLine(pane, report_test::Text(ReportLine('D', "XYZ")));  // 15 bytes
  EXPECT_EQ(text, "XYZ\r\n");

  // The line counts up to a NUL, and the four bytes before it are taken as the trailer.
  text.clear();
  std::string line = report_test::Text(ReportLine('D', "ABCDEFGH"));
  line[15] = '\0';
  RenderReportLine(pane, line);
  EXPECT_EQ(text, "ABC\r\n");
}

class DailyReport : public report_test::ReportDownload {
 protected:
  DailyReport() { sheets::SetupDepartmentReportSheet(grid); }

  bool Download() { return DownloadDailyReport(ctx, pane, grid); }
  // The lines ending the exchange: every department, 0 to 9.
  static std::vector<link::Bytes> Groups() {
    std::vector<link::Bytes> lines;
    for (char i = '0'; i <= '9'; ++i) lines.push_back(GroupLine(i, "DEP", "1,00"));
    return lines;
  }
  void Add(std::vector<link::Bytes> more) {
    reg.lines.insert(reg.lines.end(), more.begin(), more.end());
  }
  std::string Name(int row) const { return grid.GetItemText(row, col::kName); }
  std::string Turnover(int row) const { return grid.GetItemText(row, col::kTurnover); }

  std::string text;
  StringPane pane{text};
  grid::CellTable grid;
};

TEST_F(DailyReport, DailyLinesGetTheirTablesAtTheTenthAndEleventh) {
  // A line too short to show still counts; a line of another type is shown but not counted.
  std::string expected = DailyHeader();
  for (int i = 1; i <= 12; ++i) {
    const std::string payload = i == 4 ? "XY" : "DAILY LINE " + std::to_string(i);
    if (i == 10) {
      reg.lines.push_back(ReportLine('X', "OTHER"));
      expected += "OTHER\r\n" + DailyDiscountHeader();
    }
    if (i == 11) expected += DailyPaymentHeader();
    reg.lines.push_back(ReportLine('D', payload));
    if (i != 4) expected += payload + kCrLf;
  }
  Add(Groups());
  text = "EARLIER REPORT";
  EXPECT_TRUE(Download());
  EXPECT_EQ(text, expected);
  for (int row = 1; row <= 10; ++row) EXPECT_EQ(Name(row), "DEP") << row;
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{});
  EXPECT_EQ(ui.statuses.back(), "Operation completed successfully");
  ASSERT_EQ(ui.progress.size(), 24U);  // the start, then each of 13 daily and 10 group lines
  EXPECT_EQ(ui.progress.back(),
            (test::RecordingUi::ProgressReport{"Reading the daily report", 23, 0}));
  ASSERT_EQ(Written().size(), 3U);
  EXPECT_EQ(Written()[2], link::CommandFrame(report_test::kDevice, 'F'));
  EXPECT_EQ(ui.waitDepth, 0);
}

TEST_F(DailyReport, EachOperatorHasFourTablesUnderANumberedTitle) {
  reg.spacing = 0ms;
  std::string expected = DailyHeader();
  for (int i = 0; i < 400; ++i) {
    const std::string payload = "OP LINE " + std::to_string(i);
    reg.lines.push_back(ReportLine('O', payload));
    switch (i % 4) {
      case 0: expected += OperatorTitle(i / 4 + 1) + OperatorDiscountHeader(); break;
      case 1: expected += OperatorTakingsHeader(); break;
      case 2: expected += OperatorPaymentsInHeader(); break;
      default: expected += OperatorPaymentsOutHeader(); break;
    }
    expected += payload + kCrLf;
  }
  Add(Groups());
  EXPECT_TRUE(Download());
  EXPECT_EQ(text, expected);
  // The hundredth operator gets three digits.
  EXPECT_EQ(OperatorTitle(1), "\r\nOperator report 01\r\n" + std::string(60, '-') + kCrLf);
  EXPECT_NE(text.find("\r\nOperator report 100\r\n"), std::string::npos);
}

TEST_F(DailyReport, GroupLinesFillTheirRowsUntilDepartmentNine) {
  reg.spacing = 0ms;
  reg.lines = {ReportLine('D', "DAILY"),
               GroupLine('3', "FIRST", "1,00"),
               GroupLine('1', "ABC", "  12,50  "),
               GroupLine(' ', "NO INDEX", "9"),
               GroupLine('3', "\x80\x81", "2"),
               GroupLine('4', "ANY TYPE", "4", 'D'),  // the type letter no longer counts
               GroupLine('9', "LAST", "9,9"),
               GroupLine('5', "NEVER", "5")};
  EXPECT_TRUE(Download());

  EXPECT_EQ(text, DailyHeader() + "DAILY\r\n");  // group lines are not rendered
  EXPECT_EQ(Name(2), "ABC");
  EXPECT_EQ(Turnover(2), "12.50");  // the cell's rule reads the comma
  EXPECT_EQ(Name(4), "ab");         // the repeated department wins
  EXPECT_EQ(Turnover(4), "2.00");
  EXPECT_EQ(Name(5), "ANY TYPE");
  EXPECT_EQ(Name(10), "LAST");
  EXPECT_EQ(Turnover(10), "9.90");
  EXPECT_EQ(Name(6), "");  // nothing after department 9 is stored
  EXPECT_EQ(ui.statuses,
            (std::vector<std::string>{"Read subgroup 3", "Read subgroup 1", "Read subgroup 3",
                                      "Read subgroup 4", "Read subgroup 9",
                                      "Operation completed successfully"}));
  EXPECT_EQ(ui.shown, (std::vector<std::pair<int, int>>{{4, 1}, {2, 1}, {4, 1}, {5, 1}, {10, 1}}));
}

TEST_F(DailyReport, AShortLineForDepartmentNineStillEndsTheExchange) {
  reg.lines = {GroupLine('2', "TWO", "2"), ReportLine('G', "9"), GroupLine('5', "NEVER", "5")};
  EXPECT_TRUE(Download());
  EXPECT_EQ(text, DailyHeader());  // the header stands even without a daily line
  EXPECT_EQ(Name(3), "TWO");
  EXPECT_EQ(Name(10), "");
  EXPECT_EQ(Name(6), "");
  EXPECT_EQ(ui.statuses.back(), "Operation completed successfully");
}

// A damaged line: the end-to-end tests.
TEST_F(DailyReport, AStopLeavesPaneAndSheetAsTheyWere) {
  grid.SetItemText(1, col::kName, "KEPT");
  text = "EARLIER REPORT";
  ui.stopAfterProgress = 3;  // the start and two lines
  reg.lines = Groups();
  EXPECT_FALSE(Download());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(ui.statuses, (std::vector<std::string>{"Read subgroup 0", "Read subgroup 1",
                                                   "Stopped after 2 lines; nothing was stored"}));
  EXPECT_EQ(text, "EARLIER REPORT");
  EXPECT_EQ(Name(1), "KEPT");
  EXPECT_EQ(ui.waitDepth, 0);
}

TEST_F(DailyReport, NothingIsAppendedWhenTheCommandIsRefused) {
  reg.refuseCommand = true;
  reg.lines = Groups();
  EXPECT_FALSE(Download());
  EXPECT_EQ(text, "");
  EXPECT_TRUE(ui.statuses.empty());
  EXPECT_EQ(ui.messages.size(), 1U);
}

}  // namespace
}  // namespace nuvrel::transfers
