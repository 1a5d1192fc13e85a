// SPDX-License-Identifier: MIT
// What each register holds, against ecrsim: uploads record it, Send changes sends only what differs
// from it, and the register keeps the fields that were not sent.
#include <gtest/gtest.h>

#include <csignal>

#include "link/port_opener.h"
#include "sheets/sheet_file.h"
#include "sheets/workspace.h"
#include "sim_fixture.h"
#include "support/recording_ui.h"
#include "support/temp_dir.h"
#include "transfers/register_memory.h"
#include "transfers/uploads.h"

namespace nuvrel {
namespace {

using test::Example;
using test::Sim;

// An article line ends with the price (nine characters) and the stock (nine).
std::string PriceField(const std::string& line) {
  return line.substr(line.size() - 18, 9);
}
std::string StockField(const std::string& line) {
  return line.substr(line.size() - 9);
}

class SendChangesEndToEnd : public ::testing::Test {
 protected:
  test::TempDir m_dir;
  test::ScopedEnv m_data{"XDG_DATA_HOME", (m_dir / "data").c_str()};
};

TEST_F(SendChangesEndToEnd, ThreeNewPricesGoAsThreeRecordsAndTheRegisterKeepsItsStock) {
  const std::string state = m_dir / "state";
  std::string sheet = test::ExampleRows("articles.txt", 4);
  test::WriteBytes(m_dir / "a.txt", sheet);
  {
    Sim sim({"--serial", "7", "--state", state});
    ASSERT_TRUE(sim.Ok());
    ASSERT_EQ(sim.Cli({"--quiet", "send", "articles", m_dir / "a.txt"}).status, 0);
  }
  // The register sells meanwhile: its stock is no longer what the sheet said.
  std::string counted;
  for (const std::string& line : test::StateLines(state + "/articles.txt")) {
    counted.append(line, 0, line.size() - 9).append("000001234\n");
  }
  test::WriteBytes(state + "/articles.txt", counted);

  for (const auto& [from, to] :
       {std::pair{"\t65.00\t", "\t66.50\t"}, std::pair{"\t159.00\t", "\t160\t"},
        std::pair{"\t1290.00\t", "\t1300\t"}}) {
    sheet.replace(sheet.find(from), std::string(from).size(), to);
  }
  test::WriteBytes(m_dir / "a.txt", sheet);
  const auto diff = test::RunProgram(NUVREL_CLI_PATH, {"diff", "articles", m_dir / "a.txt"});
  EXPECT_EQ(diff.status, 1);
  EXPECT_EQ(diff.out, "1:3: 65.00 → 66.50\n3:3: 159.00 → 160.00\n4:3: 1290.00 → 1300.00\n");

  Sim sim({"--serial", "7", "--state", state});
  ASSERT_TRUE(sim.Ok());
  const auto run =
      sim.Cli({"--trace", m_dir / "trace.txt", "send", "articles", m_dir / "a.txt", "--changed"});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1), "Changes sent: 3 items\n");
  const auto records = test::RecordsWithLetter(test::SentBlocks(m_dir / "trace.txt"), 'r');
  ASSERT_EQ(records.size(), 3u);
  const std::string noValue(15 + 12 + 3, '"');
  const std::pair<const char*, const char*> expected[] = {
      {"0001", "000066502"}, {"0003", "000160002"}, {"0004", "001300002"}};
  for (std::size_t i = 0; i < records.size(); ++i) {
    const std::string fields(records[i].begin() + 8, records[i].end() - 3);
    std::string want = expected[i].first;
    want.append(noValue).append(expected[i].second).append(9, '"');
    EXPECT_EQ(fields, want);
  }
  ASSERT_EQ(sim.Process().Finish(SIGTERM), 0);

  const std::vector<std::string> lines = test::StateLines(state + "/articles.txt");
  ASSERT_EQ(lines.size(), 4u);
  for (const std::string& line : lines) EXPECT_EQ(StockField(line), "000001234") << line;
  EXPECT_EQ(PriceField(lines[0]), "000066502");
  EXPECT_EQ(PriceField(lines[1]), "000129992");

  // Sent, so nothing differs any more; sending again sends nothing.
  EXPECT_EQ(test::RunProgram(NUVREL_CLI_PATH, {"diff", "articles", m_dir / "a.txt"}).status, 0);
  Sim again({"--serial", "7"});
  ASSERT_TRUE(again.Ok());
  const auto nothing = again.Cli({"send", "articles", m_dir / "a.txt", "--changed"});
  EXPECT_EQ(nothing.status, 0);
  EXPECT_EQ(nothing.out, "No changes to send: register 000007 holds what the sheet shows\n");
}

TEST_F(SendChangesEndToEnd, EachRegisterHasItsOwnState) {
  const std::string sheet = m_dir / "a.txt";
  test::WriteBytes(sheet, test::ExampleRows("articles.txt", 2));
  {
    Sim first({"--serial", "7"});
    ASSERT_TRUE(first.Ok());
    ASSERT_EQ(first.Cli({"--quiet", "send", "articles", sheet}).status, 0);
  }
  Sim second({"--serial", "8"});
  ASSERT_TRUE(second.Ok());
  const auto run =
      second.Cli({"--trace", m_dir / "trace.txt", "send", "articles", sheet, "--changed"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "Nothing is known yet of what register 000008 holds in Articles, so there is nothing "
            "to compare the sheet with.\nnuvrel-cli: send the whole sheet first (send articles "
            "FILE), or read what it holds (report articles OUT)\n");
  EXPECT_TRUE(test::RecordsWithLetter(test::SentBlocks(m_dir / "trace.txt"), 'r').empty());
  const auto diff = test::RunProgram(NUVREL_CLI_PATH, {"diff", "articles", sheet, "--device", "8"});
  EXPECT_EQ(diff.status, 2);

  // Its report is its own state; the first register's stays as it was.
  ASSERT_EQ(second.Cli({"report", "articles", m_dir / "report.txt"}).status, 0);
  transfers::RegisterMemory memory(m_dir / "data/Nuvrel");
  const auto states = memory.States(8, sheets::SheetId::Articles);
  ASSERT_EQ(states.size(), 1u);
  EXPECT_EQ(states[0].source, transfers::StateSource::Report);
  EXPECT_EQ(memory.States(7, sheets::SheetId::Articles).size(), 1u);
}

// In-process: a stopped upload records the rows the register took, and no other.
TEST_F(SendChangesEndToEnd, AStoppedUploadRecordsOnlyTheRowsTheRegisterTook) {
  Sim sim({"--serial", "7"});
  ASSERT_TRUE(sim.Ok());
  link::SerialPortOpener opener(link::PortMap::AllTo(sim.Device()));
  test::RecordingUi ui;
  link::RegisterIdentity identity;
  transfers::TransferContext ctx{ui, link::SystemClock(), opener, identity, 0};
  ctx.dataFolder = m_dir / "data";
  sheets::Workspace workspace;
  grid::CellTable& grid = workspace.Grid(sheets::SheetId::Articles);
  ASSERT_TRUE(sheets::SheetTextReader(grid).ReadSheetFile(Example("articles.txt"), ui));

  ui.stopAfterProgress = 4;  // the start and three records
  EXPECT_FALSE(transfers::UploadArticles(ctx, grid));
  transfers::RegisterMemory memory(ctx.dataFolder);
  const auto states = memory.States(7, sheets::SheetId::Articles);
  ASSERT_EQ(states.size(), 1u);
  EXPECT_EQ(states[0].rows, 3u);
  const auto known = memory.Read(states[0]);
  ASSERT_TRUE(known);
  const std::string sent = sheets::SheetText(grid);
  std::size_t third = 0;
  for (int line = 0; line < 3; ++line) third = sent.find("\r\n", third) + 2;
  EXPECT_EQ(sheets::SheetText(*known), sent.substr(0, third));
}

}  // namespace
}  // namespace nuvrel
