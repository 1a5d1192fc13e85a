// SPDX-License-Identifier: MIT
#include "grid/page_layout.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace nuvrel::grid {
namespace {

constexpr Size kChar{10, 20};
constexpr Size kA4{4960, 7016};

// The Articles sheet's shape: a header row and 2400 data rows of 24, a label column of 40.
void ArticlesLike(CellTable& t) {
  const int widths[] = {40, 150, 120, 112, 80, 96, 48, 112};
  t.SetColumnCount(8);
  t.SetRowCount(2401);
  t.SetFixedRowCount(1);
  t.SetFixedColumnCount(1);
  for (int c = 0; c < 8; ++c) t.SetColumnWidth(c, widths[c]);
  for (int r = 0; r < 2401; ++r) t.SetRowHeight(r, 24);
}

// One column of 100 and the given row heights, no header: with kSmallChar and kPaper300 the page
// is 180 x 360 logical units, leaving 300 for rows.
void OneColumn(CellTable& t, std::initializer_list<int> heights) {
  t.SetColumnCount(1);
  t.SetColumnWidth(0, 100);
  t.SetRowCount(static_cast<int>(heights.size()));
  int r = 0;
  for (int h : heights) t.SetRowHeight(r++, h);
}
constexpr Size kSmallChar{10, 10};
constexpr Size kPaper300{180, 360};

TEST(PageLayoutWalk, ARowStartsANewPageOnlyWhenItWouldNotFit) {
  CellTable t(nullptr);
  // 100 + 200 fill the page exactly; 50 does not fit; the hidden row stays with its page; 301 is
  // too high for any page and gets one of its own.
  OneColumn(t, {100, 200, 50, 0, 250, 301, 10});
  const PageLayout layout = ComputePageLayout(t, kSmallChar, kPaper300);
  ASSERT_EQ(layout.pageHeight, 300);
  EXPECT_EQ(layout.firstRowOfPage, (std::vector<int>{0, 2, 5, 6}));
  EXPECT_EQ(layout.pageCount, 4);
  EXPECT_EQ(PageCells(t, layout, 2), (CellRange{2, 0, 4, 0}));
  EXPECT_EQ(PageCells(t, layout, 3), (CellRange{5, 0, 5, 0}));
}

TEST(PageLayoutWalk, EmptyGridHasOnePageWithoutCells) {
  CellTable empty(nullptr);
  const PageLayout layout = ComputePageLayout(empty, kChar, kA4);
  EXPECT_EQ(layout.pageCount, 1);
  EXPECT_EQ(FirstRowOfPage(layout, 1), 0);
  EXPECT_FALSE(PageCells(empty, layout, 1).IsValid());

  CellTable headersOnly(nullptr);
  headersOnly.SetColumnCount(3);
  headersOnly.SetRowCount(1);
  headersOnly.SetFixedRowCount(1);
  const PageLayout headers = ComputePageLayout(headersOnly, kChar, kA4);
  EXPECT_EQ(headers.pageCount, 1);
  EXPECT_FALSE(PageCells(headersOnly, headers, 1).IsValid());
}

TEST(PageLayoutWalk, TheRowsEndWithTheLastOneThatHoldsData) {
  CellTable t(nullptr);
  ArticlesLike(t);
  EXPECT_EQ(RowsToPrint(t), 1);
  t.SetItemText(2000, 0, "2000");  // a row label is no data
  EXPECT_EQ(RowsToPrint(t), 1);
  t.SetItemText(4, 1, "Hleb");
  t.SetItemText(12, 7, "14.000");
  ASSERT_EQ(RowsToPrint(t), 13);
  const PageLayout layout = ComputePageLayout(t, kChar, kA4, RowsToPrint(t));
  EXPECT_EQ(layout.pageCount, 1);
  EXPECT_EQ(PageCells(t, layout, 1), (CellRange{1, 1, 12, 7}));
}

TEST(PageLayoutWalk, NoRoomForRowsPutsOneRowOnEachPage) {
  CellTable t(nullptr);
  OneColumn(t, {10, 10, 0, 10, 10});
  const PageLayout flat = ComputePageLayout(t, kChar, {1000, 1});
  EXPECT_LE(flat.pageHeight, 0);
  EXPECT_EQ(flat.firstRowOfPage, (std::vector<int>{0, 1, 3, 4}));

  const PageLayout noWidth = ComputePageLayout(t, kChar, {0, 1000});
  EXPECT_EQ(noWidth.logicalHeight, 0);
  EXPECT_EQ(noWidth.pageCount, 4);
}

TEST(PageLayoutPages, OnlyColumnsWhoseRightEdgeFitsArePrinted) {
  CellTable t(nullptr);
  ArticlesLike(t);
  PageLayout layout = ComputePageLayout(t, kChar, kA4);
  layout.pageWidth = 270;  // exactly the first two data columns, 150 + 120
  EXPECT_EQ(PageCells(t, layout, 1), (CellRange{1, 1, 43, 2}));
  layout.pageWidth = 100;
  EXPECT_FALSE(PageCells(t, layout, 1).IsValid());
}

TEST(CharacterSize, AveragesTheAlphabetRounded) {
  EXPECT_EQ(CharacterSize(520, 18), (Size{10, 18}));
  EXPECT_EQ(CharacterSize(545, 18), (Size{10, 18}));
  EXPECT_EQ(CharacterSize(546, 18), (Size{11, 18}));
}

}  // namespace
}  // namespace nuvrel::grid
