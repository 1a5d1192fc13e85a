// SPDX-License-Identifier: MIT
#include "grid/clipboard_text.h"

#include <gtest/gtest.h>

#include <string>

#include "sheets/layouts.h"

namespace nuvrel::grid {
namespace {

// Six rows and five columns, one header row and one label column; every cell holds "RrCc".
void Fill(CellTable& t, int rows = 6, int cols = 5) {
  t.SetColumnCount(cols);
  t.SetRowCount(rows);
  t.SetFixedRowCount(1);
  t.SetFixedColumnCount(1);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < cols; ++c) {
      t.SetItemText(r, c, "R" + std::to_string(r) + "C" + std::to_string(c));
    }
  }
}

std::string Cell(int r, int c) {
  return "R" + std::to_string(r) + "C" + std::to_string(c);
}

// Forgets every modified mark, as after a save.
void ClearMarks(CellTable& t) {
  for (int r = 0; r < t.GetRowCount(); ++r) {
    for (int c = 0; c < t.GetColumnCount(); ++c) t.GetCell(r, c)->SetState({});
  }
  t.SetModified(false);
}

// Takes every text but "bad".
class PickyCell final : public GridCell {
 public:
  bool ValidateEdit(std::string_view text) const override { return text != "bad"; }
};

class CopyTextTest : public ::testing::Test {
 protected:
  void SetUp() override { Fill(t); }
  CellTable t{nullptr};
};

TEST_F(CopyTextTest, SeparateCellsGiveTheirWholeRectangleWithUnselectedCellsEmpty) {
  EXPECT_EQ(CopyText(t), "");  // nothing selected
  t.SetItemText(1, 1, "A");
  t.SetItemText(2, 3, "B");
  t.SelectCell(1, 1);
  t.SelectCell(2, 3, true);
  EXPECT_EQ(CopyText(t), "A\t\t\n\t\tB");
  t.ClearSelection();
  EXPECT_EQ(CopyText(t), "");
}

TEST_F(CopyTextTest, HiddenRowsAndColumnsAreLeftOutAndHeadersCopied) {
  t.SelectRange({0, 0, 3, 3});
  t.SetRowHeight(2, 0);
  t.SetColumnWidth(2, 0);
  std::string expected;
  for (int r : {0, 1, 3}) {
    if (r) expected += "\n";
    expected += Cell(r, 0) + "\t" + Cell(r, 1) + "\t" + Cell(r, 3);
  }
  EXPECT_EQ(CopyText(t), expected);
}

TEST(PasteTarget, SelectionThenFocusThenVisibleCellThenFirstDataCell) {
  CellTable t(nullptr);
  Fill(t);
  EXPECT_EQ(PasteTarget(t, {-1, -1}), (CellId{1, 1}));
  EXPECT_EQ(PasteTarget(t, {3, 2}), (CellId{3, 2}));
  EXPECT_EQ(PasteTarget(t, {99, 2}), (CellId{1, 1}));
  t.SetFocusCell(4, 4);
  EXPECT_EQ(PasteTarget(t, {3, 2}), (CellId{4, 4}));
  t.SelectCell(5, 2);
  t.SelectCell(2, 4, true);
  EXPECT_EQ(PasteTarget(t, {3, 2}), (CellId{2, 2}));
}

class PasteTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Fill(t);
    ClearMarks(t);
  }
  CellTable t{nullptr};
};

TEST_F(PasteTextTest, CrLfLinesFillTheirRectangleAndSelectIt) {
  ASSERT_TRUE(PasteText(t, {1, 1}, "a\tb\r\nc\td\r\n"));
  EXPECT_EQ(t.GetItemText(1, 1), "a");
  EXPECT_EQ(t.GetItemText(1, 2), "b");
  EXPECT_EQ(t.GetItemText(2, 1), "c");
  EXPECT_EQ(t.GetItemText(2, 2), "d");
  // The empty text after the last LF touches nothing.
  EXPECT_EQ(t.GetItemText(3, 1), Cell(3, 1));
  EXPECT_FALSE(t.GetItemModified(3, 1));
  EXPECT_EQ(t.GetSelectedBoundingRange(), (CellRange{1, 1, 2, 2}));
  EXPECT_EQ(t.GetSelectedCount(), 4u);
  EXPECT_TRUE(t.GetModified());
}

TEST_F(PasteTextTest, OnlyTheDestinationsInsideTheGridAreFilled) {
  ASSERT_TRUE(PasteText(t, {4, 3}, "a\tb\tc\nd\te\tf\ng\th\ti"));
  EXPECT_EQ(t.GetItemText(4, 3), "a");
  EXPECT_EQ(t.GetItemText(4, 4), "b");
  EXPECT_EQ(t.GetItemText(5, 3), "d");
  EXPECT_EQ(t.GetItemText(5, 4), "e");
  EXPECT_EQ(t.GetSelectedBoundingRange(), (CellRange{4, 3, 5, 4}));
}

TEST_F(PasteTextTest, HiddenRowsAndColumnsAreSteppedOver) {
  t.SetRowHeight(2, 0);
  t.SetColumnWidth(2, 0);
  ASSERT_TRUE(PasteText(t, {1, 1}, "a\tb\nc\td"));
  EXPECT_EQ(t.GetItemText(1, 1), "a");
  EXPECT_EQ(t.GetItemText(1, 3), "b");
  EXPECT_EQ(t.GetItemText(3, 1), "c");
  EXPECT_EQ(t.GetItemText(3, 3), "d");
  EXPECT_EQ(t.GetItemText(1, 2), Cell(1, 2));
  EXPECT_EQ(t.GetItemText(2, 1), Cell(2, 1));
  EXPECT_EQ(t.GetSelectedBoundingRange(), (CellRange{1, 1, 3, 3}));
}

TEST_F(PasteTextTest, AHiddenTargetPastesIntoTheNextShownCell) {
  t.SetRowHeight(1, 0);
  t.SetColumnWidth(1, 0);
  ASSERT_TRUE(PasteText(t, {1, 1}, "a"));
  EXPECT_EQ(t.GetItemText(2, 2), "a");
  EXPECT_EQ(t.GetItemText(1, 1), Cell(1, 1));
}

TEST_F(PasteTextTest, CommasSeparateFieldsAndFieldsAreTrimmed) {
  ASSERT_TRUE(PasteText(t, {1, 1}, "  x , y\t z \r\n1,50"));
  EXPECT_EQ(t.GetItemText(1, 1), "x");
  EXPECT_EQ(t.GetItemText(1, 2), "y");
  EXPECT_EQ(t.GetItemText(1, 3), "z");
  EXPECT_EQ(t.GetItemText(2, 1), "1");
  EXPECT_EQ(t.GetItemText(2, 2), "50");
}

TEST_F(PasteTextTest, EmptyFieldBetweenSeparatorsEmptiesButATrailingSeparatorDoesNot) {
  ASSERT_TRUE(PasteText(t, {1, 1}, "p\t\tq\nr\t\n\ns"));
  EXPECT_EQ(t.GetItemText(1, 2), "");
  EXPECT_EQ(t.GetItemText(1, 3), "q");
  EXPECT_EQ(t.GetItemText(2, 1), "r");
  EXPECT_EQ(t.GetItemText(2, 2), Cell(2, 2));
  // The empty line still takes its row.
  EXPECT_EQ(t.GetItemText(3, 1), Cell(3, 1));
  EXPECT_EQ(t.GetItemText(4, 1), "s");
}

TEST_F(PasteTextTest, NonEditableGridRefusesAndKeepsItsSelectionButStillCopies) {
  t.SetEditable(false);
  t.SelectCell(2, 2);
  EXPECT_FALSE(PasteText(t, {1, 1}, "a\tb"));
  EXPECT_EQ(t.GetItemText(1, 1), Cell(1, 1));
  EXPECT_FALSE(t.GetModified());
  EXPECT_EQ(t.GetSelectedBoundingRange(), (CellRange{2, 2, 2, 2}));
  EXPECT_EQ(CopyText(t), Cell(2, 2));
}

TEST_F(PasteTextTest, HeaderOrReadOnlyTargetRefused) {
  EXPECT_FALSE(PasteText(t, {0, 1}, "a"));
  EXPECT_FALSE(PasteText(t, {1, 0}, "a"));
  EXPECT_FALSE(PasteText(t, {-1, -1}, "a"));
  t.SetItemReadOnly(1, 1, true);
  EXPECT_FALSE(PasteText(t, {1, 1}, "a"));
  EXPECT_FALSE(t.GetModified());
}

TEST_F(PasteTextTest, ReadOnlyDestinationsAreKeptAndStillWithinTheRange) {
  t.SetItemReadOnly(1, 2, true);
  ASSERT_TRUE(PasteText(t, {1, 1}, "a\tb\tc"));
  EXPECT_EQ(t.GetItemText(1, 1), "a");
  EXPECT_EQ(t.GetItemText(1, 2), Cell(1, 2));
  EXPECT_EQ(t.GetItemText(1, 3), "c");
  EXPECT_EQ(t.GetSelectedBoundingRange(), (CellRange{1, 1, 1, 3}));
}

TEST_F(PasteTextTest, WithoutSelectPastedTheSelectionIsCleared) {
  t.SelectCell(3, 3);
  ASSERT_TRUE(PasteText(t, {1, 1}, "a", false));
  EXPECT_EQ(t.GetSelectedCount(), 0u);
  EXPECT_EQ(t.GetItemText(1, 1), "a");
}

TEST_F(PasteTextTest, EmptyTextChangesNothingAndSelectsTheTarget) {
  ASSERT_TRUE(PasteText(t, {2, 3}, ""));
  EXPECT_FALSE(t.GetModified());
  EXPECT_EQ(t.GetSelectedBoundingRange(), (CellRange{2, 3, 2, 3}));
}

TEST_F(PasteTextTest, NulEndsTheText) {
  const std::string text("a\tb\0c\nd", 7);
  ASSERT_TRUE(PasteText(t, {1, 1}, text));
  EXPECT_EQ(t.GetItemText(1, 1), "a");
  EXPECT_EQ(t.GetItemText(1, 2), "b");
  EXPECT_EQ(t.GetItemText(2, 1), Cell(2, 1));
}

TEST(PasteTextLarge, ThousandsOfLinesAndNulsFillTheGridAndStop) {
  CellTable t(nullptr);
  Fill(t, 2401, 8);
  std::string text;
  for (int i = 0; i < 10000; ++i) {
    text += std::to_string(i);
    text += '\t';
    text.append(500, ',');
    text += '\n';
  }
  text.append(1000, '\0');
  text += "late";
  ASSERT_TRUE(PasteText(t, {1, 1}, text));
  EXPECT_EQ(t.GetItemText(1, 1), "0");
  EXPECT_EQ(t.GetItemText(2400, 1), "2399");
  EXPECT_EQ(t.GetItemText(2400, 7), "");
  EXPECT_EQ(t.GetSelectedBoundingRange(), (CellRange{1, 1, 2400, 7}));

  const std::string nuls(100000, '\0');
  ASSERT_TRUE(PasteText(t, {1, 1}, nuls));
  EXPECT_EQ(t.GetItemText(1, 1), "0");
}

TEST(PasteTextSheets, ArticlesCellsNormaliseWhatIsPasted) {
  CellTable t;
  sheets::SetupSheet(sheets::SheetId::Articles, t);
  using namespace sheets::articles;
  // The comma splits "1,50" in two: the price gets 1, the one-character tax group refuses 50.
  ASSERT_TRUE(PasteText(t, {1, kPrice}, "1,50\r\n2.5,x,12"));
  EXPECT_EQ(t.GetItemText(1, kPrice), "1.00");
  EXPECT_EQ(t.GetItemText(1, kTaxGroup), "");
  EXPECT_EQ(t.GetItemText(2, kPrice), "2.50");
  EXPECT_EQ(t.GetItemText(2, kTaxGroup), "x");
  EXPECT_EQ(t.GetItemText(2, kDepartment), "");
  EXPECT_EQ(t.GetSelectedBoundingRange(), (CellRange{1, kPrice, 2, kDepartment}));
}

class GuardedChangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Fill(t);
    t.SetCellType<PickyCell>(1, 1);
    ClearMarks(t);
  }
  CellTable t{nullptr};
};

TEST(GuardedChange, StoresAndMarksOnlyANewTextTheCellTakes) {
  const struct {
    int row, col;
    std::string text;
    bool changed;
  } cases[] = {
      {2, 2, Cell(2, 2), false},  // the same text
      {2, 2, "new", true},
      {1, 1, "bad", false},  // refused: taken back with the marks as before
      {1, 1, "good", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CellTable t(nullptr);
    Fill(t);
    t.SetCellType<PickyCell>(1, 1);
    ClearMarks(t);
    EXPECT_EQ(GuardedChange(t, c.row, c.col, c.text), c.changed);
    EXPECT_EQ(t.GetItemText(c.row, c.col), c.changed ? c.text : Cell(c.row, c.col));
    EXPECT_EQ(t.GetItemModified(c.row, c.col), c.changed);
    EXPECT_EQ(t.GetModified(), c.changed);
  }
}

TEST(GuardedChangeOfBlankCells, ValidatesAsAWrittenCellOfTheColumnWould) {
  CellTable t{nullptr};
  t.SetColumnCount(2);
  t.SetRowCount(3);
  t.SetColumnType<PickyCell>(1);
  t.SetModified(false);
  EXPECT_FALSE(GuardedChange(t, 1, 1, "bad"));
  EXPECT_EQ(t.GetItemText(1, 1), "");
  EXPECT_FALSE(t.GetItemModified(1, 1));
  EXPECT_FALSE(t.GetModified());
  EXPECT_TRUE(GuardedChange(t, 1, 1, "good"));
}

TEST_F(GuardedChangeTest, CellsThatMayNotBeEditedAreLeft) {
  t.SetItemReadOnly(2, 2, true);
  EXPECT_FALSE(GuardedChange(t, 2, 2, "x"));
  EXPECT_FALSE(GuardedChange(t, 0, 2, "x"));
  EXPECT_FALSE(GuardedChange(t, 99, 2, "x"));
  t.SetEditable(false);
  EXPECT_FALSE(GuardedChange(t, 3, 3, "x"));
  EXPECT_EQ(t.GetItemText(2, 2), Cell(2, 2));
  EXPECT_EQ(t.GetItemText(3, 3), Cell(3, 3));
  EXPECT_FALSE(t.GetModified());
}

class CutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Fill(t);
    ClearMarks(t);
  }
  CellTable t{nullptr};
};

TEST_F(CutTest, DeleteEmptiesOnlyTheEditableSelectedCells) {
  t.SetItemReadOnly(1, 2, true);
  t.SelectRange({0, 1, 1, 3});  // a header cell and a read-only cell among them
  t.SelectCell(3, 3, true);
  CutSelected(t);
  EXPECT_EQ(t.GetItemText(1, 1), "");
  EXPECT_EQ(t.GetItemText(1, 2), Cell(1, 2));
  EXPECT_EQ(t.GetItemText(1, 3), "");
  EXPECT_EQ(t.GetItemText(3, 3), "");
  EXPECT_EQ(t.GetItemText(0, 1), Cell(0, 1));
  EXPECT_EQ(t.GetItemText(2, 2), Cell(2, 2));
}

TEST_F(CutTest, CutReturnsTheCopyTextAndEmptiesTheCells) {
  t.SelectRange({1, 1, 2, 2});
  EXPECT_EQ(CutText(t), Cell(1, 1) + "\t" + Cell(1, 2) + "\n" + Cell(2, 1) + "\t" + Cell(2, 2));
  EXPECT_EQ(t.GetItemText(1, 1), "");
  EXPECT_EQ(t.GetItemText(2, 2), "");
  EXPECT_EQ(t.GetSelectedCount(), 4u);
}

TEST_F(CutTest, NonEditableGridIsNeitherCutNorDeleted) {
  t.SetEditable(false);
  t.SelectRange({1, 1, 2, 2});
  EXPECT_EQ(CutText(t), "");
  CutSelected(t);
  EXPECT_EQ(t.GetItemText(1, 1), Cell(1, 1));
  EXPECT_FALSE(t.GetModified());
}

}  // namespace
}  // namespace nuvrel::grid
