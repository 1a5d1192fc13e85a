// SPDX-License-Identifier: MIT
// The register's faults that leave the PC waiting, answered by the simulator's own register logic
// on the fake clock: the message and the closing status that nuvrel-cli shows against ecrsim,
// without seconds of real waiting. IdentifyRealTime keeps one real wait, in the slow tests.
#include <gtest/gtest.h>

#include <memory>

#include "link/identify.h"
#include "sheets/workspace.h"
#include "sim_fixture.h"
#include "transfers/articles_report.h"
#include "transfers/daily_report.h"
#include "transfers/uploads.h"

namespace nuvrel {
namespace {

using namespace std::chrono_literals;

const std::string kTimeout = "Timeout communicating with ECR!";

class TimeOutFaults : public ::testing::Test {
 protected:
  TimeOutFaults() {
    opener.onOpen = [this](test::ScriptedPort& port) { test::AttachRegister(port, *reg); };
  }

  // A register with the fault and the tables given.
  void UseRegister(const std::string& fault, sim::RegisterTables tables = {}) {
    const sim::FaultParse parsed = sim::ParseFaultSpec(fault);
    ASSERT_TRUE(parsed.fault) << fault << ": " << parsed.error;
    reg = std::make_unique<sim::Register>(sim::RegisterSettings{}, sim::FaultPlan({*parsed.fault}),
                                          std::move(tables));
  }

  test::FakeClock clock;
  test::ScriptedOpener opener{clock};
  std::unique_ptr<sim::Register> reg;
};

TEST_F(TimeOutFaults, IdentificationTimesOutOnAReplyThatNeverCompletes) {
  for (const char* fault : {"nak-partial", "silence@2", "partial"}) {
    UseRegister(fault);
    test::RecordingUi ui;
    link::RegisterIdentity identity;
    EXPECT_FALSE(link::IdentifyOnPort(opener, 0, clock, ui, identity)) << fault;
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{kTimeout}) << fault;
  }
}

// A register that falls silent in the middle of an upload or a report: one time-out, the count of
// what went through, and a report sheet or pane left as it was.
TEST_F(TimeOutFaults, ATransferThatStopsShortFailsOnceAndKeepsNothing) {
  struct Case {
    const char* fault;
    sheets::SheetId sheet;
    const char* status;
  };
  const Case cases[] = {
      {"silence@5", sheets::SheetId::Operators, "Transfer failed after 1 of 3 items"},
      {"report-stops@3", sheets::SheetId::ArticlesReport, "Transfer failed after 2 items"},
      {"report-stops@3", sheets::SheetId::DepartmentReport, "Operation failed"},
      {"no-group-nine@3", sheets::SheetId::DepartmentReport, "Operation failed"},
  };
  for (const Case& c : cases) {
    UseRegister(c.fault, test::ExampleTables());
    sheets::Workspace workspace;
    test::RecordingUi ui;
    link::RegisterIdentity identity;
    transfers::TransferContext ctx{ui, clock, opener, identity, 0};
    grid::CellTable& sheet = workspace.Grid(c.sheet);
    if (c.sheet == sheets::SheetId::Operators)
      sheets::SheetTextReader(sheet).ReadSheetText(test::ExampleRows("operators.txt", 3));
    const std::string before = sheets::SheetText(sheet);
    transfers::StringPane pane(workspace.ReportsText());
    const auto start = clock.Now();
    bool done = true;
    switch (c.sheet) {
      case sheets::SheetId::Operators:
        done = transfers::UploadSheet(ctx, c.sheet, sheet, false);
        break;
      case sheets::SheetId::ArticlesReport:
        done = transfers::DownloadArticlesReport(ctx, sheet);
        break;
      default: done = transfers::DownloadDailyReport(ctx, pane, sheet);
    }
    EXPECT_FALSE(done) << c.fault;
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{kTimeout}) << c.fault;
    EXPECT_EQ(ui.statuses.back(), c.status) << c.fault;
    // One time-out, not a second one.
    EXPECT_LT(clock.Now() - start, 6s) << c.fault;
    EXPECT_EQ(workspace.ReportsText(), "") << c.fault;
    EXPECT_EQ(sheets::SheetText(sheet), before) << c.fault;
  }
}

}  // namespace
}  // namespace nuvrel
