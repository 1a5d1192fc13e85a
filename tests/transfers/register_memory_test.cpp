// SPDX-License-Identifier: MIT
// The states recorded of each register: the history kept and pruned, files that are not states
// skipped, damaged ones never trusted; and where a sheet differs from a state.
#include "transfers/register_memory.h"

#include <gtest/gtest.h>

#include "app/utf8_path.h"
#include "sheets/layouts.h"
#include "support/temp_dir.h"
#include "transfers/sheet_differences.h"

namespace nuvrel::transfers {
namespace {

using sheets::SheetId;
namespace col = sheets::articles;
using Clock = std::chrono::system_clock;

const Clock::time_point kStart = Clock::from_time_t(1700000000);

class RegisterMemoryTest : public ::testing::Test {
 protected:
  // A file of register 42's articles, written as messages show it (with the platform's
  // separators).
  std::string InFolder(const std::string& name) const {
    return app::PathText(
        app::Utf8Path(m_dir / "registers/000042/articles/" + name).make_preferred());
  }

  test::TempDir m_dir;
  RegisterMemory m_memory{m_dir.Path()};
};

TEST_F(RegisterMemoryTest, KeepsTheNewestStatesOnly) {
  auto known = NewKnownTable(SheetId::Articles);
  for (unsigned i = 0; i < kKeptStates + 3; ++i) {
    known->SetItemText(1, col::kPrice, std::to_string(i));
    ASSERT_FALSE(m_memory.Record(42, SheetId::Articles, *known, StateSource::Changes, i,
                                 kStart + std::chrono::seconds(i)));
  }
  const std::vector<RecordedState> states = m_memory.States(42, SheetId::Articles);
  ASSERT_EQ(states.size(), kKeptStates);
  EXPECT_EQ(states.front().path.filename(), "20231114-221342-000-changes-22.txt");
  EXPECT_EQ(states.front().msSinceEpoch, 1700000022000);
  EXPECT_EQ(states.back().rows, 3u);
  EXPECT_EQ(m_memory.Load(42, SheetId::Articles)->GetItemText(1, col::kPrice), "22.00");
  EXPECT_EQ(m_memory.NewestDevice(SheetId::Articles), 42u);
  EXPECT_FALSE(m_memory.NewestDevice(SheetId::Operators));
  EXPECT_TRUE(m_memory.TakeWarnings().empty());
}

TEST_F(RegisterMemoryTest, ADamagedNewestStateMakesTheContentsUnknown) {
  auto known = NewKnownTable(SheetId::Articles);
  known->SetItemText(1, col::kName, "Bread");
  ASSERT_FALSE(m_memory.Record(42, SheetId::Articles, *known, StateSource::Sent, 1, kStart));
  // What a crash cuts short is left aside silently; anything else foreign is named.
  test::WriteBytes(InFolder("20231114-222220-000-sent-1.txt.tmp-99-0"), "1\tBr");
  test::WriteBytes(InFolder("notes.txt"), "mine\r\n");
  ASSERT_TRUE(m_memory.Load(42, SheetId::Articles));
  EXPECT_EQ(m_memory.TakeWarnings(),
            std::vector<std::string>{"Skipped \"" + InFolder("notes.txt") +
                                     "\": it is not a file that Nuvrel keeps there."});

  const struct {
    const char* bytes;
    unsigned line;
  } damaged[] = {
      {"1\tBread\t\t\t\t\t\t\r\n2\tMilk\t\t\t\t\t\t", 2},      // cut short
      {"2\tBread\t\t\t\t\t\t\r\n1\tMilk\t\t\t\t\t\t\r\n", 2},  // out of order
      {"1\tBread\t\t\t\t\t\r\n", 1},                           // a field missing
      {"2401\tBread\t\t\t\t\t\t\r\n", 1},                      // beyond the sheet
      {"1\tBread\t\t12x\t\t\t\t\r\n", 1},                      // a price the sheet refuses
  };
  for (const auto& c : damaged) {
    const std::string path = InFolder("20231114-222230-000-report-1.txt");
    test::WriteBytes(path, c.bytes);
    EXPECT_FALSE(m_memory.Load(42, SheetId::Articles)) << c.bytes;
    const std::vector<std::string> warnings = m_memory.TakeWarnings();
    ASSERT_FALSE(warnings.empty());
    EXPECT_EQ(warnings.back(), "Skipped \"" + path + "\": the file is damaged at line " +
                                   std::to_string(c.line) + ".");
  }
}

TEST(SheetDifferences, OnlyCellsThatWouldReachTheRegisterOtherwiseDiffer) {
  const struct {
    int col;
    const char* sheet;
    const char* known;
    bool differs;
  } cases[] = {
      {col::kPrice, "12.5", "12.50", false},   {col::kPrice, "12.5", "12.6", true},
      {col::kPrice, "12.5", "", true},         {col::kPrice, "", "12.50", false},
      {col::kInStock, "", "40.000", false},    {col::kTaxGroup, "A", "1", false},
      {col::kName, "Bread", "Bread  ", false}, {col::kName, "Bread", "Bred", true},
  };
  for (const auto& c : cases) {
    auto sheet = NewKnownTable(SheetId::Articles);
    auto known = NewKnownTable(SheetId::Articles);
    sheet->SetItemText(5, c.col, c.sheet);
    known->SetItemText(5, c.col, c.known);
    const std::vector<grid::CellId> expected =
        c.differs ? std::vector<grid::CellId>{{5, c.col}} : std::vector<grid::CellId>{};
    EXPECT_EQ(Differences(SheetId::Articles, *sheet, *known), expected)
        << c.col << " '" << c.sheet << "' '" << c.known << "'";
  }
  auto operators = NewKnownTable(SheetId::Operators);
  auto held = NewKnownTable(SheetId::Operators);
  operators->SetItemText(2, 1, "Ana");
  EXPECT_EQ(Differences(SheetId::Operators, *operators, *held),
            (std::vector<grid::CellId>{{2, 1}}));
}

}  // namespace
}  // namespace nuvrel::transfers
