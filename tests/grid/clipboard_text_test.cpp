// SPDX-License-Identifier: MIT
#include "grid/clipboard_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

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

// A filled table without modified marks.
class Filled : public ::testing::Test {
 protected:
  void SetUp() override {
    Fill(t);
    ClearMarks(t);
  }
  CellTable t{nullptr};
};

TEST_F(Filled, SeparateCellsGiveTheirWholeRectangleWithUnselectedCellsEmpty) {
  EXPECT_EQ(CopyText(t), "");  // nothing selected
  t.SetItemText(1, 1, "A");
  t.SetItemText(2, 3, "B");
  t.SelectCell(1, 1);
  t.SelectCell(2, 3, true);
  EXPECT_EQ(CopyText(t), "A\t\t\n\t\tB");
  t.ClearSelection();
  EXPECT_EQ(CopyText(t), "");
}

TEST_F(Filled, HiddenRowsAndColumnsAreLeftOutAndHeadersCopied) {
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

TEST_F(Filled, PasteTargetIsSelectionThenFocusThenVisibleCellThenFirstDataCell) {
  EXPECT_EQ(PasteTarget(t, {-1, -1}), (CellId{1, 1}));
  EXPECT_EQ(PasteTarget(t, {3, 2}), (CellId{3, 2}));
  EXPECT_EQ(PasteTarget(t, {99, 2}), (CellId{1, 1}));
  t.SetFocusCell(4, 4);
  EXPECT_EQ(PasteTarget(t, {3, 2}), (CellId{4, 4}));
  t.SelectCell(5, 2);
  t.SelectCell(2, 4, true);
  EXPECT_EQ(PasteTarget(t, {3, 2}), (CellId{2, 2}));
}

// The data cells, rows split by '|' and cells by ',', a cell still holding its own "RrCc" as '.';
// every cell whose text changed, and no other, carries the modified mark.
std::string Data(const CellTable& t) {
  std::string out;
  for (int r = 1; r < t.GetRowCount(); ++r) {
    for (int c = 1; c < t.GetColumnCount(); ++c) {
      const std::string text = t.GetItemText(r, c);
      out += (c > 1 ? "," : r > 1 ? "|" : "") + (text == Cell(r, c) ? "." : text);
      EXPECT_EQ(t.GetItemModified(r, c), text != Cell(r, c)) << r << ':' << c;
    }
  }
  return out;
}

TEST(PasteText, LinesAndFieldsFillTheirRectangleAndSelectIt) {
  const struct {
    const char* what;
    CellId target;
    std::string text;
    std::string data;
    CellRange selected;
    std::function<void(CellTable&)> setUp = {};
  } cases[] = {
      // The empty text after the last line end touches nothing.
      {"crlf", {1, 1}, "a\tb\r\nc\td\r\n", "a,b,.,.|c,d,.,.|.,.,.,.|.,.,.,.|.,.,.,.", {1, 1, 2, 2}},
      {"clipped",
       {4, 3},
       "a\tb\tc\nd\te\tf\ng\th\ti",
       ".,.,.,.|.,.,.,.|.,.,.,.|.,.,a,b|.,.,d,e",
       {4, 3, 5, 4}},
      {"hidden",
       {1, 1},
       "a\tb\nc\td",
       "a,.,b,.|.,.,.,.|c,.,d,.|.,.,.,.|.,.,.,.",
       {1, 1, 3, 3},
       [](CellTable& g) {
         g.SetRowHeight(2, 0);
         g.SetColumnWidth(2, 0);
       }},
      {"hidden target",
       {1, 1},
       "a",
       ".,.,.,.|.,a,.,.|.,.,.,.|.,.,.,.|.,.,.,.",
       {1, 1, 2, 2},
       [](CellTable& g) {
         g.SetRowHeight(1, 0);
         g.SetColumnWidth(1, 0);
       }},
      {"commas trimmed",
       {1, 1},
       "  x , y\t z \r\n1,50",
       "x,y,z,.|1,50,.,.|.,.,.,.|.,.,.,.|.,.,.,.",
       {1, 1, 2, 3}},
      // An empty field between separators empties its cell, a trailing separator does not, and
      // an empty line still takes its row.
      {"empty fields",
       {1, 1},
       "p\t\tq\nr\t\n\ns",
       "p,,q,.|r,.,.,.|.,.,.,.|s,.,.,.|.,.,.,.",
       {1, 1, 4, 3}},
      {"read-only kept",
       {1, 1},
       "a\tb\tc",
       "a,.,c,.|.,.,.,.|.,.,.,.|.,.,.,.|.,.,.,.",
       {1, 1, 1, 3},
       [](CellTable& g) { g.SetItemReadOnly(1, 2, true); }},
      {"nul ends",
       {1, 1},
       std::string("a\tb\0c\nd", 7),
       "a,b,.,.|.,.,.,.|.,.,.,.|.,.,.,.|.,.,.,.",
       {1, 1, 1, 2}},
      {"empty", {2, 3}, "", ".,.,.,.|.,.,.,.|.,.,.,.|.,.,.,.|.,.,.,.", {2, 3, 2, 3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CellTable t(nullptr);
    Fill(t);
    ClearMarks(t);
    if (c.setUp) c.setUp(t);
    ASSERT_TRUE(PasteText(t, c.target, c.text));
    EXPECT_EQ(Data(t), c.data);
    EXPECT_EQ(t.GetSelectedBoundingRange(), c.selected);
    EXPECT_EQ(t.GetModified(), !c.text.empty());
    // Without selecting what was pasted the selection is cleared.
    ASSERT_TRUE(PasteText(t, c.target, c.text, false));
    EXPECT_EQ(t.GetSelectedCount(), 0u);
  }
}

TEST_F(Filled, PasteRefusesAHeaderOrReadOnlyTargetOrANonEditableGrid) {
  t.SelectCell(2, 2);
  for (CellId target : {CellId{0, 1}, CellId{1, 0}, CellId{-1, -1}}) {
    EXPECT_FALSE(PasteText(t, target, "a"));
  }
  t.SetItemReadOnly(1, 1, true);
  EXPECT_FALSE(PasteText(t, {1, 1}, "a"));
  t.SetItemReadOnly(1, 1, false);
  t.SetEditable(false);
  EXPECT_FALSE(PasteText(t, {1, 1}, "a\tb"));
  EXPECT_EQ(Data(t), ".,.,.,.|.,.,.,.|.,.,.,.|.,.,.,.|.,.,.,.");
  EXPECT_FALSE(t.GetModified());
  // The selection stays and can still be copied.
  EXPECT_EQ(t.GetSelectedBoundingRange(), (CellRange{2, 2, 2, 2}));
  EXPECT_EQ(CopyText(t), Cell(2, 2));
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

TEST_F(Filled, CutAndDeleteEmptyOnlyTheEditableSelectedCells) {
  t.SetItemReadOnly(1, 2, true);
  t.SelectRange({0, 1, 1, 3});  // a header cell and a read-only cell among them
  t.SelectCell(3, 3, true);
  CutSelected(t);
  EXPECT_EQ(Data(t), ",.,,.|.,.,.,.|.,.,,.|.,.,.,.|.,.,.,.");
  EXPECT_EQ(t.GetItemText(0, 1), Cell(0, 1));

  t.SetItemReadOnly(1, 2, false);
  t.SelectRange({4, 1, 5, 2});
  EXPECT_EQ(CutText(t), Cell(4, 1) + "\t" + Cell(4, 2) + "\n" + Cell(5, 1) + "\t" + Cell(5, 2));
  EXPECT_EQ(Data(t), ",.,,.|.,.,.,.|.,.,,.|,,.,.|,,.,.");
  EXPECT_EQ(t.GetSelectedCount(), 4u);

  // A grid that may not be edited is neither cut nor emptied.
  t.SetEditable(false);
  t.SelectRange({1, 2, 2, 2});
  EXPECT_EQ(CutText(t), "");
  CutSelected(t);
  EXPECT_EQ(t.GetItemText(1, 2), Cell(1, 2));
}

}  // namespace
}  // namespace nuvrel::grid
