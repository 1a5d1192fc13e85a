// SPDX-License-Identifier: MIT
#include "grid/cell_table.h"

#include <gtest/gtest.h>

namespace nuvrel::grid {
namespace {

class UpperCell final : public GridCell {
 public:
  void SetText(std::string_view text) override {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    StoreText(upper);
  }
};

class Table : public ::testing::Test {
 protected:
  void SetUp() override {
    t.SetColumnCount(4);
    t.SetRowCount(5);
    t.SetFixedRowCount(1);
    t.SetFixedColumnCount(1);
    t.SetModified(false);
  }
  FixedPitchMeasurer measurer{8, 16};
  CellTable t{&measurer};
};

TEST_F(Table, ChangesToValidCellsAndCountsAloneMarkTheGridModified) {
  EXPECT_FALSE(t.SetItemText(5, 0, "x"));
  EXPECT_FALSE(t.SetItemText(0, 4, "x"));
  EXPECT_FALSE(t.SetItemText(-1, 1, "x"));
  EXPECT_EQ(t.GetItemText(9, 9), "");
  EXPECT_FALSE(t.SetColumnWidth(4, 10));
  EXPECT_FALSE(t.SetColumnWidth(1, -1));
  EXPECT_FALSE(t.GetModified());

  EXPECT_TRUE(t.SetItemText(2, 2, "abc"));
  EXPECT_TRUE(t.GetModified());
  EXPECT_TRUE(t.GetItemModified(2, 2));
  EXPECT_FALSE(t.GetItemModified(2, 3));
  t.SetModified(false);
  t.SetRowCount(6);
  EXPECT_TRUE(t.GetModified());
}

TEST_F(Table, AReplacedCellKeepsTextFormatAndColours) {
  t.SetItemText(2, 1, "keep me");
  t.SetItemFormat(2, 1, CellFormat::Right);
  t.SetItemBackColour(2, 1, Rgb(1, 2, 3));
  EXPECT_TRUE(t.SetCellType<UpperCell>(2, 1));
  EXPECT_EQ(t.GetItemText(2, 1), "keep me");  // taken over as it stood
  EXPECT_EQ(t.GetItemFormat(2, 1), CellFormat::Right);
  EXPECT_EQ(t.GetCell(2, 1)->GetBackColour(), Rgb(1, 2, 3));
  t.SetItemText(2, 1, "new");
  EXPECT_EQ(t.GetItemText(2, 1), "NEW");
}

TEST_F(Table, ColoursFallBackToTheDefaultCellOfTheirKind) {
  t.GetDefaultCell(true, false).SetBackColour(Rgb(9, 9, 9));
  EXPECT_EQ(t.EffectiveBackColour(0, 2), Rgb(9, 9, 9));
  EXPECT_EQ(t.EffectiveBackColour(2, 2), kDefaultColour);
  t.SetItemBackColour(2, 2, Rgb(4, 4, 4));
  EXPECT_EQ(t.EffectiveBackColour(2, 2), Rgb(4, 4, 4));
}

TEST_F(Table, TheStateCombinesKeptAndComputedFlagsAndHeadersAreNeverEditable) {
  t.SetFocusCell(2, 2);
  t.SelectCell(2, 2);
  t.SetItemText(2, 2, "x");
  EXPECT_EQ(t.GetItemState(2, 2), CellState::Focused | CellState::Selected | CellState::Modified);
  EXPECT_EQ(t.GetItemState(0, 0), CellState::Fixed | CellState::FixedRow | CellState::FixedColumn);
  EXPECT_EQ(t.GetItemState(0, 2), CellState::Fixed | CellState::FixedRow);
  EXPECT_TRUE(t.IsCellEditable(1, 1));
  EXPECT_FALSE(t.IsCellEditable(0, 1));
  EXPECT_FALSE(t.IsCellEditable(1, 0));
  t.SetItemReadOnly(2, 2, true);
  EXPECT_FALSE(t.IsCellEditable(2, 2));
  t.SetEditable(false);
  EXPECT_FALSE(t.IsCellEditable(1, 1));
}

// Laid out as the sheets are, with nothing written yet: a typed, right-aligned column, banded rows
// and numbered rows.
class BlankCells : public ::testing::Test {
 protected:
  void SetUp() override {
    t.SetColumnCount(3);
    t.SetRowCount(6);
    t.SetFixedRowCount(1);
    t.SetFixedColumnCount(1);
    t.SetColumnFormat(2, CellFormat::Right);
    t.SetColumnType<UpperCell>(2);
    t.SetRowBanding(kBand);
    t.SetRowLabels(1);
    t.SetModified(false);
  }
  static constexpr Colour kBand = Rgb(1, 2, 3);
  CellTable t{nullptr};
  const CellTable& view = t;
};

TEST_F(BlankCells, AnEmptyTextLeavesThemBlankAndUnmarkedButMarksTheGrid) {
  EXPECT_TRUE(t.SetItemText(3, 2, ""));
  EXPECT_TRUE(t.RestoreItemText(3, 1, ""));
  EXPECT_FALSE(t.GetItemModified(3, 2));
  EXPECT_FALSE(t.GetItemModified(3, 1));
  EXPECT_TRUE(t.GetModified());
}

TEST_F(BlankCells, ChangingAColumnChangesTheCellsAlreadyMade) {
  t.SetItemText(2, 2, "abc");
  t.SetColumnFormat(2, CellFormat::Center);
  t.SetColumnType(2, nullptr);
  t.SetRowBanding(Rgb(7, 7, 7));
  EXPECT_EQ(t.GetItemText(2, 2), "ABC");
  EXPECT_EQ(t.GetItemFormat(2, 2), CellFormat::Center);
  EXPECT_EQ(t.EffectiveBackColour(2, 2), Rgb(7, 7, 7));
  t.SetItemText(2, 2, "low");
  EXPECT_EQ(t.GetItemText(2, 2), "low");
}

TEST_F(BlankCells, DataTextIsAWrittenTextOrALabelInADataColumn) {
  EXPECT_FALSE(view.HasDataText()) << "the labels stand in the fixed column";
  t.SetItemText(4, 2, "abc");
  EXPECT_TRUE(view.HasDataText());
  t.SetItemText(4, 2, "");
  EXPECT_FALSE(view.HasDataText()) << "a cell made, then emptied";
  t.SetFixedColumnCount(0);
  EXPECT_TRUE(view.HasDataText()) << "labels in a data column read as texts";
}

TEST_F(Table, SelectionOfRangesRowsColumnsAndAll) {
  t.SelectRange({1, 1, 2, 2});
  EXPECT_EQ(t.GetSelectedCount(), 4u);
  t.SelectCell(4, 3, true);
  EXPECT_EQ(t.GetSelectedCount(), 5u);
  EXPECT_EQ(t.GetSelectedBoundingRange(), (CellRange{1, 1, 4, 3}));
  const auto cells = t.GetSelectedCells();
  EXPECT_EQ(cells.front(), (CellId{1, 1}));
  EXPECT_EQ(cells.back(), (CellId{4, 3}));

  t.SelectColumns(2, 2);  // a header click: the column's data cells
  EXPECT_EQ(t.GetSelectedCount(), 4u);
  EXPECT_FALSE(t.IsCellSelected(0, 2));
  t.SelectRows(3, 3);  // a label click: the row's data cells
  EXPECT_EQ(t.GetSelectedCount(), 3u);
  EXPECT_FALSE(t.IsCellSelected(3, 0));
  t.SelectAll();
  EXPECT_EQ(t.GetSelectedCount(), 12u);
  t.ClearSelection();
  EXPECT_FALSE(t.GetSelectedBoundingRange().IsValid());
  // Disabled, selecting selects nothing.
  t.EnableSelection(false);
  t.SelectAll();
  EXPECT_EQ(t.GetSelectedCount(), 0u);
  EXPECT_FALSE(t.IsCellSelected(1, 1));
}

TEST_F(Table, SelectionAndFocusAreClippedAndForgottenWithTheRowsTheyCovered) {
  EXPECT_FALSE(t.GetFocusCell().IsValid());
  EXPECT_FALSE(t.SetFocusCell(1, 1).IsValid());
  EXPECT_EQ(t.SetFocusCell(3, 2), (CellId{1, 1}));
  t.SetFocusCell(99, 1);
  EXPECT_FALSE(t.GetFocusCell().IsValid());
  t.SelectRange({3, 1, 99, 99});
  EXPECT_EQ(t.GetSelectedCount(), 6u);
  t.SetFocusCell(4, 1);
  t.SetRowCount(4);
  EXPECT_EQ(t.GetSelectedCount(), 3u);
  EXPECT_FALSE(t.GetFocusCell().IsValid());
}

TEST_F(Table, AutoSizeMeasuresHeaderAndDataByStyle) {
  t.SetItemText(0, 2, "Header");       // 6 characters
  t.SetItemText(3, 2, "A long text");  // 11 characters
  t.AutoSizeColumn(2, CellTable::kAutoSizeHeader);
  EXPECT_EQ(t.GetColumnWidth(2), 6 * 8 + 4 * 8);
  t.AutoSizeColumn(2);
  EXPECT_EQ(t.GetColumnWidth(2), 11 * 8 + 4 * 8);
  t.SetColumnWidth(3, 0);  // hidden columns stay hidden
  t.AutoSizeColumn(3);
  EXPECT_EQ(t.GetColumnWidth(3), 0);
  t.AutoSizeRow(3);
  EXPECT_EQ(t.GetRowHeight(3), 16 + 2 * 8);
}

}  // namespace
}  // namespace nuvrel::grid
