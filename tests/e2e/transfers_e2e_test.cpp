// SPDX-License-Identifier: MIT
// nuvrel-cli send, report and logo against ecrsim through a real pseudo-terminal: the bytes on the
// wire, the files that result, and every way a register can fail them.
#include <gtest/gtest.h>

#include "link/frames.h"
#include "link/port_opener.h"
#include "link/translation.h"
#include "sheets/sheet_file.h"
#include "sheets/workspace.h"
#include "sim_fixture.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"
#include "support/terminal_run.h"
#include "transfers/articles_report.h"

namespace nuvrel {
namespace {

using namespace std::chrono_literals;
using test::Example;
using test::RecordsWithLetter;
using test::SentBlocks;
using test::Sim;

link::Bytes Frame(std::uint32_t device, char letter, std::string fields) {
  link::Bytes frame = link::BeginFrame(device, letter);
  frame.insert(frame.end(), fields.begin(), fields.end());
  link::AppendCheckPair(frame);
  return frame;
}

std::string Translated(std::string text) {
  link::TranslateText(text, true);
  return text;
}

TEST(SendEndToEnd, ArticlesGoOnTheWireRecordByRecord) {
  test::TempDir dir;
  test::WriteBytes(dir / "a.txt", test::ExampleRows("articles.txt", 2));
  Sim sim({"--serial", "1"});
  ASSERT_TRUE(sim.Ok());
  const auto run = sim.Cli({"--trace", dir / "trace.txt", "send", "articles", dir / "a.txt"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  // One progress line per article, then the count of rows processed.
  EXPECT_EQ(run.out.substr(run.out.rfind("Sending")),
            "Sending line number 2\n2 items successfully sent!\n");

  const auto blocks = SentBlocks(dir / "trace.txt");
  const auto records = RecordsWithLetter(blocks, 'r');
  ASSERT_EQ(records.size(), 2u);
  // Row 1: Hleb beli 500g, 860010100001, 65.00, A, 1, 0, 40.000.
  EXPECT_EQ(records[0], Frame(1, 'r',
                              "0001" + Translated("Hleb beli 500g ") +
                                  "860010100001"
                                  "1"
                                  "1"
                                  "0"
                                  "000065002"
                                  "000040000"));
  EXPECT_EQ(records[0].size(), 63u);
  // Begin and end of the upload, and the PC's acknowledgement of the end packet.
  EXPECT_NE(std::find(blocks.begin(), blocks.end(), link::CommandFrame(1, 'a')), blocks.end());
  EXPECT_NE(std::find(blocks.begin(), blocks.end(), link::CommandFrame(1, 'z')), blocks.end());
  EXPECT_EQ(blocks.back(), link::AckFrame(1));
}

TEST(SendEndToEnd, ASelectionSendsOnlyItsCells) {
  test::TempDir dir;
  Sim sim({"--serial", "1"});
  ASSERT_TRUE(sim.Ok());
  const auto run = sim.Cli({"--trace", dir / "trace.txt", "send", "articles",
                            Example("articles.txt"), "--select", "7:3"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "Sending line number 7\nSelected cells successfully sent: 1 item\n");
  const auto records = RecordsWithLetter(SentBlocks(dir / "trace.txt"), 'r');
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0], Frame(1, 'r',
                              "0007" + std::string(15, '"') + std::string(12, '"') +
                                  "\"\"\""
                                  "000119002" +
                                  std::string(9, '"')));
}

TEST(SendEndToEnd, AnEmptySelectedCellAsksFirstAndNoSendsNothing) {
  test::TempDir dir;
  test::WriteBytes(dir / "a.txt", "1\tX\r\n");
  Sim sim({"--serial", "1"});
  ASSERT_TRUE(sim.Ok());
  const auto no =
      sim.Cli({"--trace", dir / "trace.txt", "send", "articles", dir / "a.txt", "--select", "1"});
  EXPECT_EQ(no.status, 1);
  EXPECT_NE(no.err.find("Warning: Some of the selected cells are empty!\n"), std::string::npos);
  EXPECT_TRUE(SentBlocks(dir / "trace.txt").empty());

  const auto yes = sim.Cli({"--yes", "send", "articles", dir / "a.txt", "--select", "1"});
  EXPECT_EQ(yes.status, 0) << yes.err;
}

TEST(SendEndToEnd, AnErrorOpensNoPortAndWarningsAloneAreSent) {
  test::TempDir dir;
  test::WriteBytes(dir / "ops.txt", "1\tAna\r\n4\tA name far too long\r\n");
  Sim sim({});
  ASSERT_TRUE(sim.Ok());
  const auto run = sim.Cli({"--trace", dir / "trace.txt", "send", "operators", dir / "ops.txt"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "4:1: Operator name is too long!\n");
  EXPECT_EQ(run.out, "");
  EXPECT_TRUE(SentBlocks(dir / "trace.txt").empty());

  test::WriteBytes(dir / "ads.txt", "2\tAKCIJA_1\r\n");
  const auto warned = sim.Cli({"send", "advertisement", dir / "ads.txt"});
  EXPECT_EQ(warned.status, 0) << warned.err;
  EXPECT_EQ(warned.err, "2:1: warning: The ECR prints blanks for \"_\"\n");
}

TEST(SendEndToEnd, TheOtherSheetsCountWhatTheySent) {
  test::TempDir dir;
  Sim sim({});
  ASSERT_TRUE(sim.Ok());
  for (const std::string sheet : {"operators", "departments", "firm-data", "advertisement"}) {
    test::WriteBytes(dir / "s.txt", test::ExampleRows(sheet + ".txt", 2));
    const auto run = sim.Cli({"send", sheet, dir / "s.txt"});
    EXPECT_EQ(run.status, 0) << sheet << run.err;
    EXPECT_EQ(run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1),
              "2 items successfully sent!\n")
        << sheet;
  }
}

// The article records a register keeps in its state folder.
int StoredArticles(const std::string& state) {
  return static_cast<int>(test::StateLines(state + "/articles.txt").size());
}

TEST(SendEndToEnd, CtrlCOnATerminalStopsBetweenRecordsAndFromRowSendsTheRest) {
  test::TempDir dir;
  std::string sheet;
  for (int row = 1; row <= 5; ++row)
    sheet += std::to_string(row) + "\tA" + std::to_string(row) + "\t\t1\r\n";
  test::WriteBytes(dir / "a.txt", sheet);
  Sim sim({"--serial", "1", "--state", dir / "state"});
  ASSERT_TRUE(sim.Ok());

  // On a terminal: a bar that moves, no line per record with --quiet, and Ctrl+C after the second.
  const auto run = test::RunOnTerminal(
      NUVREL_CLI_PATH, {"--port", sim.Device(), "--quiet", "send", "articles", dir / "a.txt"},
      [](const std::string& screen) { return screen.find(" 2/5 ") != std::string::npos; }, "\x03");
  EXPECT_EQ(run.status, 130) << run.screen;
  EXPECT_NE(run.screen.find("Sending Articles to the ECR [#"), std::string::npos);
  EXPECT_EQ(run.screen.find("Sending line number"), std::string::npos);
  const std::size_t at = run.screen.find("Stopped after ");
  ASSERT_NE(at, std::string::npos) << run.screen;
  const int sent = std::stoi(run.screen.substr(at + 14));
  EXPECT_TRUE(sent == 2 || sent == 3) << sent;
  EXPECT_NE(run.screen.find("--from-row " + std::to_string(sent + 1)), std::string::npos);
  EXPECT_EQ(StoredArticles(dir / "state"), sent);

  // The port was released and the upload closed: the rest goes in a new run.
  const auto rest =
      sim.Cli({"send", "articles", dir / "a.txt", "--from-row", std::to_string(sent + 1)});
  ASSERT_EQ(rest.status, 0) << rest.err;
  EXPECT_EQ(rest.out.substr(rest.out.rfind('\n', rest.out.size() - 2) + 1),
            std::to_string(5 - sent) + " items successfully sent!\n");
  EXPECT_EQ(StoredArticles(dir / "state"), 5);
}

TEST(ReportEndToEnd, TheArticlesReportComesBackWithTurnoverAndSales) {
  test::TempDir dir;
  test::WriteExampleState(dir / "state");
  Sim sim({"--state", dir / "state"});
  ASSERT_TRUE(sim.Ok());
  const auto run = sim.Cli({"report", "articles", dir / "report.txt"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.substr(run.out.rfind("Read item 3")),
            "Read item 3\nSuccessfully read 3 items\n");

  const std::string report = *test::ReadBytes(dir / "report.txt");
  // Row 1 as sent, tax group shown as the register's letter, then turnover and sales.
  EXPECT_EQ(report.substr(0, report.find("\r\n"))
                .rfind("1\tHleb beli 500g\t860010100001\t65.00\tA\t1\t0\t40.000\t", 0),
            0u)
      << report.substr(0, 120);
  std::size_t lines = 0;
  for (std::size_t at = report.find("\r\n"); at != std::string::npos;
       at = report.find("\r\n", at + 2))
    ++lines;
  EXPECT_EQ(lines, 3u);
}

TEST(ReportEndToEnd, TheDailyReportWritesThePaneAndTheDepartments) {
  test::TempDir dir;
  test::WriteExampleState(dir / "state");
  Sim sim({"--state", dir / "state"});
  ASSERT_TRUE(sim.Ok());
  const auto run =
      sim.Cli({"report", "daily", dir / "daily.txt", "--departments", dir / "dep.txt"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.substr(run.out.rfind("Read subgroup 9")),
            "Read subgroup 9\nOperation completed successfully\n");
  const std::string daily = *test::ReadBytes(dir / "daily.txt");
  EXPECT_EQ(daily.rfind("Daily report\r\n----------------------------\r\n", 0), 0u);
  EXPECT_NE(daily.find("\r\nOperator report 03\r\n"), std::string::npos);
  EXPECT_EQ(daily.find("\r\nOperator report 04\r\n"), std::string::npos);
  EXPECT_NE(daily.find("\r\n\xC1\xF0.\xC8\xF1\xEF|"), std::string::npos);  // a Windows-1251 header
  const std::string departments = *test::ReadBytes(dir / "dep.txt");
  EXPECT_EQ(departments.rfind("0\tPekara\t", 0), 0u) << departments;

  // Departments that cannot be written leave the report file as it was too.
  test::WriteBytes(dir / "daily.txt", "old");
  const auto failed =
      sim.Cli({"report", "daily", dir / "daily.txt", "--departments", dir / "no/dep.txt"});
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(test::ReadBytes(dir / "daily.txt"), "old");
}

TEST(LogoEndToEnd, TheRegisterReceivesTheFileByteForByte) {
  test::TempDir dir;
  test::WriteBytes(dir / "tiny.bmp", test::TinyLogo());
  Sim sim({"--state", dir / "state"});
  ASSERT_TRUE(sim.Ok());
  const auto run = sim.Cli({"--settings", dir / "nuvrel.ini", "logo", dir / "tiny.bmp"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(test::ReadBytes(dir / "state/logo.bmp"), test::TinyLogo());
}

TEST(LogoEndToEnd, AFileThatIsMissingOrNoBitmapIsRefusedWithTheReason) {
  test::TempDir dir;
  test::WriteBytes(dir / "not.bmp", "hello");
  Sim sim({});
  ASSERT_TRUE(sim.Ok());
  const auto notBitmap = sim.Cli({"--settings", dir / "nuvrel.ini", "logo", dir / "not.bmp"});
  EXPECT_EQ(notBitmap.status, 1);
  EXPECT_EQ(notBitmap.err, "nuvrel-cli: cannot open " + dir / "not.bmp" +
                               ": not a bitmap file that the ECR takes\n");
  const auto missing = sim.Cli({"--settings", dir / "nuvrel.ini", "logo", dir / "none.bmp"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err,
            "nuvrel-cli: cannot open " + dir / "none.bmp" + ": No such file or directory\n");
}

TEST(StateEndToEnd, TheRegisterKeepsItsTablesAcrossRuns) {
  test::TempDir dir;
  test::WriteBytes(dir / "a.txt", test::ExampleRows("articles.txt", 2));
  {
    Sim sim({"--state", dir / "state"});
    ASSERT_TRUE(sim.Ok());
    ASSERT_EQ(sim.Cli({"send", "articles", dir / "a.txt"}).status, 0);
  }
  Sim again({"--state", dir / "state"});
  ASSERT_TRUE(again.Ok());
  const auto run = again.Cli({"report", "articles", dir / "report.txt"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Successfully read 2 items"), std::string::npos);
}

// In-process: a report that is refused or stopped leaves the sheet as it was and the port closed.
TEST(ReportEndToEnd, ADamagedOrStoppedReportLeavesTheSheetAsItWas) {
  test::TempDir dir;
  test::WriteExampleState(dir / "state", 4);
  Sim sim({"--state", dir / "state", "--fault", "flip-stock@3:4"});
  ASSERT_TRUE(sim.Ok());
  link::SerialPortOpener opener(link::PortMap::AllTo(sim.Device()));
  test::RecordingUi ui;
  link::RegisterIdentity identity;
  transfers::TransferContext ctx{ui, link::SystemClock(), opener, identity, 0};
  sheets::Workspace workspace;
  grid::CellTable& grid = workspace.Grid(sheets::SheetId::ArticlesReport);
  grid.SetItemText(20, 1, "EARLIER");
  const std::string before = sheets::SheetText(grid);

  EXPECT_FALSE(transfers::DownloadArticlesReport(ctx, grid));
  EXPECT_EQ(ui.Texts(),
            std::vector<std::string>{
                "Damaged data in line 4 of the report (item 4)!\r\nNothing was stored."});
  EXPECT_EQ(sheets::SheetText(grid), before);

  ui.stopAfterProgress = ui.progress.size() + 4;  // the start and three lines
  EXPECT_FALSE(transfers::DownloadArticlesReport(ctx, grid));
  EXPECT_EQ(ui.statuses.back(), "Stopped after 3 items; nothing was stored");
  EXPECT_EQ(sheets::SheetText(grid), before);

  // The next download opens the port again and reads the whole report.
  ui.stopAfterProgress.reset();
  EXPECT_TRUE(transfers::DownloadArticlesReport(ctx, grid));
  EXPECT_EQ(ui.statuses.back(), "Successfully read 4 items");
  EXPECT_EQ(grid.GetItemText(4, 1), "Sir gauda");
  EXPECT_EQ(grid.GetItemText(20, 1), "");
  EXPECT_EQ(ui.messages.size(), 1U);
}

struct TransferFault {
  const char* fault;
  std::vector<std::string> command;
  const char* message;
  const char* lastStatus;  // the last line on stdout; empty for none
};

class TransferFaults : public ::testing::TestWithParam<TransferFault> {};

// Frames: 1 identify, 2 version, 3 the command ('a', 'f' or 'F'), 4 the first record. The faults
// that end in a time-out: time_out_faults_test.cpp.
TEST_P(TransferFaults, GiveTheirMessageAndEndPromptly) {
  const TransferFault& c = GetParam();
  test::TempDir dir;
  // Something to report.
  if (c.command[0] == "report") test::WriteExampleState(dir / "state");
  Sim sim({"--state", dir / "state", "--fault", c.fault});
  ASSERT_TRUE(sim.Ok());
  std::vector<std::string> command = c.command;
  for (auto& word : command) {
    if (word == "OUT") word = dir / "out.txt";
    if (word.rfind("examples/", 0) == 0) word = Example(word.substr(9));
  }
  const auto run = sim.Cli(command);
  if (*c.message == '\0') {
    // Noise before the first line is skipped: the report is read whole.
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Successfully read 3 items"), std::string::npos);
    return;
  }
  EXPECT_EQ(run.status, 1);
  // The message first; a cut-short upload adds how to send the rest.
  const std::string message = std::string(c.message) + "\n";
  EXPECT_EQ(run.err.substr(0, message.size()), message);
  const std::string lastLine =
      run.out.empty() ? "" : run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1);
  EXPECT_EQ(lastLine, *c.lastStatus ? std::string(c.lastStatus) + "\n" : "");
  // None waits out a time-out.
  EXPECT_LT(run.wall, 3000ms);
  // A failed report writes no file.
  EXPECT_FALSE(test::ReadBytes(dir / "out.txt").has_value());
}

const std::vector<std::string> kSendOperators{"send", "operators", "examples/operators.txt"};
const std::vector<std::string> kReportArticles{"report", "articles", "OUT"};
const std::vector<std::string> kReportDaily{"report", "daily", "OUT"};

INSTANTIATE_TEST_SUITE_P(
    EveryFault, TransferFaults,
    ::testing::Values(
        TransferFault{"nak@4", kSendOperators, "ECR returned NACK!",
                      "Transfer failed after 0 of 3 items"},
        TransferFault{"crc@3", kSendOperators, "CRC error!", ""},
        TransferFault{"wrong-device@7:2", kSendOperators, "Bad ECR number received!",
                      "Transfer failed after 3 of 3 items"},
        TransferFault{"hangup@4", kSendOperators, "The ECR line was closed (hang-up)!",
                      "Transfer failed after 0 of 3 items"},
        TransferFault{"hangup@3", kReportArticles, "The ECR line was closed (hang-up)!", ""},
        TransferFault{"nak@3", kReportArticles, "ECR returned NACK!", ""},
        TransferFault{"long-report-line@3", kReportArticles, "Invalid data received!",
                      "Transfer failed after 1 item"},
        TransferFault{"report-noise@3", kReportArticles, "", ""},
        // Damaged lines, named by their place in the report and their article or department.
        TransferFault{"flip-barcode@3:2", kReportArticles,
                      "Damaged data in line 2 of the report (item 2)!\nNothing was stored.",
                      "Transfer failed after 1 item"},
        TransferFault{"flip-price@3:3", kReportArticles,
                      "Damaged data in line 3 of the report (item 3)!\nNothing was stored.",
                      "Transfer failed after 2 items"},
        TransferFault{"flip-turnover@3:1", kReportArticles,
                      "Damaged data in line 1 of the report (item 1)!\nNothing was stored.",
                      "Transfer failed after 0 items"},
        TransferFault{"flip-sales@3:2", kReportArticles,
                      "Damaged data in line 2 of the report (item 2)!\nNothing was stored.",
                      "Transfer failed after 1 item"},
        TransferFault{"flip-stock@3:3", kReportArticles,
                      "Damaged data in line 3 of the report (item 3)!\nNothing was stored.",
                      "Transfer failed after 2 items"},
        TransferFault{"cut-line@3:2", kReportArticles,
                      "Damaged data in line 2 of the report (item 2)!\nNothing was stored.",
                      "Transfer failed after 1 item"},
        // 11 daily lines and 4 for each of the 3 operators come before department 0 (line 24).
        TransferFault{"flip-turnover@3:26", kReportDaily,
                      "Damaged data in line 26 of the report (subgroup 2)!\nNothing was stored.",
                      "Operation failed"},
        TransferFault{"cut-line@3:25", kReportDaily,
                      "Damaged data in line 25 of the report (subgroup 1)!\nNothing was stored.",
                      "Operation failed"}),
    [](const auto& param) {
      return test::TestName(
          std::string(param.param.fault).append("_").append(param.param.command[1]));
    });

}  // namespace
}  // namespace nuvrel
