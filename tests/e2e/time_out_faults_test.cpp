// SPDX-License-Identifier: MIT
// The register's faults that leave the PC waiting, answered by the simulator's own register logic
// on the fake clock: the message and the closing status that nuvrel-cli shows against ecrsim,
// without seconds of real waiting. The end-to-end tests keep one real wait of each kind.
#include <gtest/gtest.h>

#include <memory>

#include "link/identify.h"
#include "sheets/workspace.h"
#include "sim_fixture.h"
#include "transfers/daily_report.h"

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

TEST_F(TimeOutFaults, ADailyReportThatStopsShortFailsOnceAndKeepsNothing) {
  for (const char* fault : {"report-stops@3", "no-group-nine@3"}) {
    UseRegister(fault, test::ExampleTables());
    sheets::Workspace workspace;
    test::RecordingUi ui;
    link::RegisterIdentity identity;
    transfers::TransferContext ctx{ui, clock, opener, identity, 0};
    grid::CellTable& departments = workspace.Grid(sheets::SheetId::DepartmentReport);
    transfers::StringPane pane(workspace.ReportsText());
    const auto start = clock.Now();
    EXPECT_FALSE(transfers::DownloadDailyReport(ctx, pane, departments)) << fault;
    EXPECT_EQ(ui.Texts(), std::vector<std::string>{kTimeout}) << fault;
    EXPECT_EQ(ui.statuses.back(), "Operation failed") << fault;
    // One time-out, not a second one.
    EXPECT_LT(clock.Now() - start, 6s) << fault;
    EXPECT_EQ(workspace.ReportsText(), "") << fault;
    EXPECT_EQ(sheets::SheetText(departments), "") << fault;
  }
}

}  // namespace
}  // namespace nuvrel
