// SPDX-License-Identifier: MIT
#include "sheets/find.h"

#include <gtest/gtest.h>

#include "app/strings.h"
#include "sheets/layouts.h"
#include "support/recording_ui.h"

namespace nuvrel::sheets {
namespace {

using app::Sid;
using Cell = std::pair<int, int>;

class FindOnArticles : public ::testing::Test {
 protected:
  FindOnArticles() { SetupSheet(SheetId::Articles, grid); }

  // Runs Find with the memory; every search must give the grid the focus and leave no wait cursor.
  bool Find(std::string_view text, bool matchCase = false, bool selectionOnly = false) {
    return Checked(FindInSheet(ui, grid, memory, text, matchCase, selectionOnly));
  }
  bool Next() { return Checked(FindNextInSheet(ui, grid, memory)); }
  bool Previous() { return Checked(FindPreviousInSheet(ui, grid, memory)); }

  bool Checked(bool found) {
    EXPECT_EQ(ui.gridFocuses, ++searches);
    EXPECT_EQ(ui.waitDepth, 0);
    return found;
  }
  Cell Focus() const { return {grid.GetFocusCell().row, grid.GetFocusCell().col}; }
  std::string LastMessage() const { return ui.messages.empty() ? "" : ui.messages.back().text; }

  grid::CellTable grid;
  test::RecordingUi ui;
  FindMemory memory;
  int searches = 0;
};

TEST(CellMatches, FoldsAsciiAndCyrillicLettersOnlyWithoutMatchCase) {
  EXPECT_TRUE(CellMatches("an", "BANANA", false));
  EXPECT_FALSE(CellMatches("an", "BANANA", true));
  EXPECT_TRUE(CellMatches("AN", "BANANA", true));
  EXPECT_TRUE(CellMatches("", "", false));
  EXPECT_FALSE(CellMatches("x", "", false));
  // Windows-1251: А/а (C0/E0), Ђ/ђ (80/90), Ј/ј (A3/BC).
  EXPECT_TRUE(CellMatches("\xE0\x90\xBC", "x\xC0\x80\xA3y", false));
  EXPECT_FALSE(CellMatches("\xE0\x90\xBC", "x\xC0\x80\xA3y", true));
  // Digits and signs are not letters: '@' (40) is not '`' (60), '0' is not 'P'.
  EXPECT_FALSE(CellMatches("@", "`", false));
  EXPECT_FALSE(CellMatches("0", "p", false));
}

TEST_F(FindOnArticles, MatchCaseDecidesWhetherUpperCaseCellsMatch) {
  grid.SetItemText(1, 1, "Apple");
  grid.SetItemText(2, 1, "Banana");
  grid.SetItemText(3, 1, "ANT");

  EXPECT_TRUE(Find("an"));
  EXPECT_EQ(Focus(), Cell(2, 1));
  EXPECT_TRUE(Next());
  EXPECT_EQ(Focus(), Cell(3, 1));
  EXPECT_EQ(ui.shown, (std::vector<Cell>{{2, 1}, {3, 1}}));
  EXPECT_FALSE(Next());
  EXPECT_EQ(Focus(), Cell(3, 1));
  EXPECT_EQ(LastMessage(), app::Text(Sid::NotFoundEndOfGrid));
  EXPECT_EQ(ui.messages.back().icon, app::Icon::Information);

  ui.messages.clear();
  EXPECT_TRUE(Find("an", true));
  EXPECT_EQ(Focus(), Cell(2, 1));
  EXPECT_FALSE(Next());
  EXPECT_EQ(Focus(), Cell(2, 1));
  EXPECT_EQ(LastMessage(), app::Text(Sid::NotFoundEndOfGrid));
}

TEST_F(FindOnArticles, ScansRowsLeftToRightForwardAndRightToLeftBackward) {
  // Row 5's label "5" is never found: labels are not searched.
  grid.SetItemText(2, articles::kName, "a5");
  grid.SetItemText(2, articles::kDepartment, "5");
  grid.SetItemText(3, articles::kBarcode, "5");
  grid.SetItemText(3, articles::kInStock, "5");

  ASSERT_TRUE(Find("5"));
  while (Next()) {
  }
  EXPECT_EQ(ui.shown, (std::vector<Cell>{{2, 1}, {2, 5}, {3, 2}, {3, 7}}));

  ui.shown.clear();
  grid.SetFocusCell(4, 1);
  while (Previous()) {
  }
  EXPECT_EQ(ui.shown, (std::vector<Cell>{{3, 7}, {3, 2}, {2, 5}, {2, 1}}));
  EXPECT_EQ(LastMessage(), app::Text(Sid::NotFoundBeginningOfGrid));
  EXPECT_EQ(Focus(), Cell(2, 1));  // the edge moves nothing
}

TEST_F(FindOnArticles, RemembersAtMostFiftyBytesAndRefusesEmptyText) {
  EXPECT_FALSE(Find(std::string(60, 'q'), true, false));
  EXPECT_EQ(memory.text, std::string(50, 'q'));
  EXPECT_TRUE(memory.matchCase);
  EXPECT_FALSE(memory.selectionOnly);

  ui.messages.clear();
  memory = {"old", true, true};
  EXPECT_FALSE(Find(""));
  EXPECT_FALSE(Next());
  EXPECT_FALSE(Previous());
  ASSERT_EQ(ui.messages.size(), 3U);
  for (const auto& m : ui.messages) {
    EXPECT_EQ(m.text, app::Text(Sid::NoTextToFind));
    EXPECT_EQ(m.icon, app::Icon::Error);
  }
  EXPECT_EQ(memory.text, "");
  EXPECT_TRUE(memory.matchCase);
  EXPECT_TRUE(memory.selectionOnly);
}

TEST_F(FindOnArticles, SelectionOnlyFollowsTheSelectionAsItChanges) {
  for (int r = 1; r <= 3; ++r) grid.SetItemText(r, 1, "x");

  EXPECT_FALSE(Find("x", false, true));
  EXPECT_EQ(LastMessage(), app::Text(Sid::NotFoundEndOfSelection));

  grid.SetSelectedCells({{2, 1}, {3, 1}});
  EXPECT_TRUE(Find("x", false, true));
  EXPECT_EQ(Focus(), Cell(2, 1));

  grid.SetSelectedCells({{3, 1}});
  EXPECT_TRUE(Next());
  EXPECT_EQ(Focus(), Cell(3, 1));

  grid.SetSelectedCells({{1, 1}});
  EXPECT_TRUE(Previous());
  EXPECT_EQ(Focus(), Cell(1, 1));
  EXPECT_FALSE(Next());
  EXPECT_EQ(LastMessage(), app::Text(Sid::NotFoundEndOfSelection));
  grid.SetSelectedCells({});
  grid.SetFocusCell(3, 1);
  EXPECT_FALSE(Previous());
  EXPECT_EQ(LastMessage(), app::Text(Sid::NotFoundBeginningOfSelection));
}

TEST(GoToLine, AcceptsOnlyALineOfTheSheet) {
  grid::CellTable firm;
  SetupSheet(SheetId::FirmData, firm);
  const unsigned largest = LargestLine(firm);
  EXPECT_EQ(largest, 6U);
  EXPECT_EQ(GoToLinePrompt(largest), "Enter a number between 1 and 6");

  EXPECT_EQ(CheckGoToLine("6", largest), 6U);
  EXPECT_EQ(CheckGoToLine("1", largest), 1U);
  EXPECT_EQ(CheckGoToLine("0006", largest), 6U);
  for (const char* refused :
       {"7", "0", "", "abc", "-1", " 6", "6 ", "4a", "99999999999999999999999"}) {
    EXPECT_EQ(CheckGoToLine(refused, largest), std::nullopt) << refused;
  }

  test::RecordingUi ui;
  GoToLine(ui, firm, 6);
  EXPECT_EQ(firm.GetFocusCell(), (grid::CellId{6, 1}));
  EXPECT_EQ(ui.shown, (std::vector<Cell>{{6, 1}}));
  EXPECT_EQ(ui.gridFocuses, 1);
}

}  // namespace
}  // namespace nuvrel::sheets
