// SPDX-License-Identifier: MIT
// The grid's keyboard: moves over shown cells, Tab wrapping, paging, Shift selection, Delete,
// the menu key, and Tab never leaving the grid.
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QVBoxLayout>

#include "grid_widget_fixture.h"

namespace nuvrel::gui::testing {
namespace {

using sheets::articles::kBarcode;
using sheets::articles::kInStock;
using sheets::articles::kName;
using sheets::articles::kPrice;
using Cells = std::vector<grid::CellId>;

constexpr int kLastRow = 2400;

using GridKeys = GridWidgetFixture;

TEST_F(GridKeys, ArrowsAndEnterMoveOneCellAndNeverIntoTheHeaders) {
  Focus(1, kName);
  QSignalSpy moved(&grid, &GridWidget::focusCellChanged);
  Key(Qt::Key_Up);
  Key(Qt::Key_Left);
  EXPECT_EQ(FocusCell(), (grid::CellId{1, kName}));
  EXPECT_EQ(moved.count(), 0);
  Key(Qt::Key_Down);
  Key(Qt::Key_Right);
  Key(Qt::Key_Return);
  EXPECT_EQ(FocusCell(), (grid::CellId{3, kBarcode}));
  EXPECT_EQ(table.GetSelectedCells(), (Cells{{3, kBarcode}}));
  EXPECT_EQ(moved.count(), 3);
}

TEST_F(GridKeys, HiddenRowsAndColumnsAreSteppedOver) {
  table.SetColumnWidth(kBarcode, 0);
  table.SetRowHeight(3, 0);
  Focus(2, kName);
  Key(Qt::Key_Right);
  EXPECT_EQ(FocusCell(), (grid::CellId{2, kPrice}));
  Key(Qt::Key_Left);
  EXPECT_EQ(FocusCell(), (grid::CellId{2, kName}));
  Key(Qt::Key_Down);
  EXPECT_EQ(FocusCell(), (grid::CellId{4, kName}));
  Key(Qt::Key_Up);
  EXPECT_EQ(FocusCell(), (grid::CellId{2, kName}));
}

TEST_F(GridKeys, TabWrapsAtTheRowsEndAndStandsStillAtTheLastCell) {
  Focus(1, kInStock);
  Key(Qt::Key_Tab);
  EXPECT_EQ(FocusCell(), (grid::CellId{2, kName}));
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(FocusCell(), (grid::CellId{1, kInStock}));

  Focus(kLastRow, kInStock);
  Key(Qt::Key_Tab);
  EXPECT_EQ(FocusCell(), (grid::CellId{kLastRow, kInStock}));
  Focus(1, kName);
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(FocusCell(), (grid::CellId{1, kName}));
}

TEST_F(GridKeys, ShiftExtendsTheSelectionFromItsStartAndAPlainMoveCollapsesIt) {
  Focus(2, kName);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Right, Qt::ShiftModifier);
  EXPECT_EQ(table.GetSelectedBoundingRange(), (grid::CellRange{2, kName, 3, kBarcode}));
  EXPECT_EQ(table.GetSelectedCount(), 4u);
  EXPECT_EQ(FocusCell(), (grid::CellId{3, kBarcode}));
  Key(Qt::Key_Down);
  EXPECT_EQ(table.GetSelectedCells(), (Cells{{4, kBarcode}}));
}

TEST_F(GridKeys, AFocusCellSetFromOutsideIsWhereAShiftSelectionStarts) {
  Focus(2, kName);
  table.SetFocusCell(6, kPrice);  // as finding a text does
  Key(Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(table.GetSelectedBoundingRange(), (grid::CellRange{6, kPrice, 7, kPrice}));
}

TEST_F(GridKeys, PagingMovesByTheRowsScrolledAndCtrlHomeEndReachTheCorners) {
  Focus(3, kName);
  const int top = grid.TopLeftVisibleCell().row;
  Key(Qt::Key_PageDown);
  const int scrolled = grid.TopLeftVisibleCell().row - top;
  EXPECT_GT(scrolled, 5);
  EXPECT_EQ(FocusCell(), (grid::CellId{3 + scrolled, kName}));
  Key(Qt::Key_PageUp);
  EXPECT_EQ(FocusCell(), (grid::CellId{3, kName}));

  Key(Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(FocusCell(), (grid::CellId{kLastRow, kInStock}));
  const QRect last = grid.CellRect(kLastRow, kInStock);
  ASSERT_FALSE(last.isEmpty());
  EXPECT_LE(last.bottom(), grid.viewport()->height());
  EXPECT_LE(last.right(), grid.viewport()->width());

  // At the bottom the view cannot scroll, so Page Down goes to the last row.
  Key(Qt::Key_Up);
  Key(Qt::Key_Up);
  Key(Qt::Key_PageDown);
  EXPECT_EQ(FocusCell(), (grid::CellId{kLastRow, kInStock}));

  Key(Qt::Key_Home);
  EXPECT_EQ(FocusCell(), (grid::CellId{kLastRow, kName}));
  Key(Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(FocusCell(), (grid::CellId{1, kName}));
  EXPECT_EQ(grid.TopLeftVisibleCell(), (grid::CellId{1, kName}));
}

TEST_F(GridKeys, DeleteEmptiesTheSelectedCellsOnly) {
  table.SetItemText(1, kName, "Hleb");
  table.SetItemText(2, kName, "Mleko");
  table.SetItemText(3, kName, "Sir");
  Focus(1, kName);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Delete);
  EXPECT_EQ(Text(1, kName), "");
  EXPECT_EQ(Text(2, kName), "");
  EXPECT_EQ(Text(3, kName), "Sir");
}

TEST_F(GridKeys, CtrlASelectsEveryDataCell) {
  Focus(4, kPrice);
  Key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(table.GetSelectedBoundingRange(), table.DataRange());
  EXPECT_EQ(table.GetSelectedCount(), 2400u * 7u);
}

TEST_F(GridKeys, TheMenuKeyAndShiftF10AskForTheMenuUnderTheFocusCell) {
  QSignalSpy spy(&grid, &GridWidget::contextMenuRequested);
  Focus(2, kName);
  Key(Qt::Key_Menu);
  Key(Qt::Key_F10, Qt::ShiftModifier);
  ASSERT_EQ(spy.count(), 2);
  const QPoint under = grid.viewport()->mapToGlobal(grid.CellRect(2, kName).bottomLeft());
  EXPECT_EQ(spy.at(0).at(0).toPoint(), under + QPoint(1, 1));
  EXPECT_EQ(spy.at(1).at(0).toPoint(), under + QPoint(1, 1));
  // With the focus cell scrolled out of sight the menu opens near the top-left corner.
  grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
  Key(Qt::Key_Menu);
  EXPECT_EQ(spy.at(2).at(0).toPoint(), grid.mapToGlobal(QPoint(10, 10)));
}

TEST(GridTabKey, StaysInTheGridWhenOtherWidgetsCouldTakeTheFocus) {
  MeasuredSheet sheet(sheets::SheetId::Articles);
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* grid = new GridWidget(sheet.table);
  auto* other = new QLineEdit;
  layout->addWidget(grid);
  layout->addWidget(other);
  window.resize(600, 400);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  sheet.table.SetFocusCell(1, kName);
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_Tab);
  EXPECT_TRUE(grid->hasFocus());
  EXPECT_EQ(sheet.table.GetFocusCell(), (grid::CellId{1, kBarcode}));
}

}  // namespace
}  // namespace nuvrel::gui::testing
