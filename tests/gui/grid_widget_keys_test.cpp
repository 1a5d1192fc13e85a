// SPDX-License-Identifier: MIT
// The grid's keyboard: moves over shown cells, Tab wrapping, paging, Delete and the menu key.
#include <QSignalSpy>

#include "grid_widget_fixture.h"

namespace nuvrel::gui::testing {
namespace {

using sheets::articles::kBarcode;
using sheets::articles::kInStock;
using sheets::articles::kName;
using sheets::articles::kPrice;
using Cells = std::vector<grid::CellId>;

constexpr int kLastRow = 2400;

class GridKeys : public GridWidgetFixture {
 protected:
  struct Step {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    grid::CellId to;
  };
  // Presses each key in turn and checks the focus cell it reaches.
  void Walk(std::initializer_list<Step> steps) {
    for (const Step& step : steps) {
      Key(step.key, step.modifiers);
      EXPECT_EQ(FocusCell(), step.to) << "after key " << step.key;
    }
  }
  static constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
  static constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
};

TEST_F(GridKeys, ArrowsEnterAndTabMoveOverShownCellsOnlyAndNeverIntoTheHeaders) {
  Focus(1, kName);
  QSignalSpy moved(&grid, &GridWidget::focusCellChanged);
  Walk({{Qt::Key_Up, kNone, {1, kName}}, {Qt::Key_Left, kNone, {1, kName}}});
  EXPECT_EQ(moved.count(), 0);
  Walk({{Qt::Key_Down, kNone, {2, kName}},
        {Qt::Key_Right, kNone, {2, kBarcode}},
        {Qt::Key_Return, kNone, {3, kBarcode}}});
  EXPECT_EQ(table.GetSelectedCells(), (Cells{{3, kBarcode}}));
  EXPECT_EQ(moved.count(), 3);
  // Tab wraps at a row's end and stands still at the first and last cells.
  Focus(1, kInStock);
  Walk({{Qt::Key_Tab, kNone, {2, kName}}, {Qt::Key_Backtab, kShift, {1, kInStock}}});
  Focus(kLastRow, kInStock);
  Walk({{Qt::Key_Tab, kNone, {kLastRow, kInStock}}});
  Focus(1, kName);
  Walk({{Qt::Key_Backtab, kShift, {1, kName}}});

  table.SetColumnWidth(kBarcode, 0);
  table.SetRowHeight(3, 0);
  Focus(2, kName);
  Walk({{Qt::Key_Right, kNone, {2, kPrice}},
        {Qt::Key_Left, kNone, {2, kName}},
        {Qt::Key_Down, kNone, {4, kName}},
        {Qt::Key_Up, kNone, {2, kName}}});
}

TEST_F(GridKeys, PagingMovesByTheRowsScrolledAndCtrlHomeEndReachTheCorners) {
  Focus(3, kName);
  const int top = grid.TopLeftVisibleCell().row;
  Key(Qt::Key_PageDown);
  const int scrolled = grid.TopLeftVisibleCell().row - top;
  EXPECT_GT(scrolled, 5);
  EXPECT_EQ(FocusCell(), (grid::CellId{3 + scrolled, kName}));
  // At the bottom the view cannot scroll, so Page Down goes to the last row.
  Walk({{Qt::Key_PageUp, kNone, {3, kName}},
        {Qt::Key_End, Qt::ControlModifier, {kLastRow, kInStock}},
        {Qt::Key_Up, kNone, {kLastRow - 1, kInStock}},
        {Qt::Key_Up, kNone, {kLastRow - 2, kInStock}},
        {Qt::Key_PageDown, kNone, {kLastRow, kInStock}}});
  const QRect last = grid.CellRect(kLastRow, kInStock);
  ASSERT_FALSE(last.isEmpty());
  EXPECT_LE(last.bottom(), grid.viewport()->height());
  EXPECT_LE(last.right(), grid.viewport()->width());
  Walk({{Qt::Key_Home, kNone, {kLastRow, kName}}, {Qt::Key_Home, Qt::ControlModifier, {1, kName}}});
  EXPECT_EQ(grid.TopLeftVisibleCell(), (grid::CellId{1, kName}));
}

TEST_F(GridKeys, DeleteEmptiesTheSelectedCellsOnlyAndCtrlASelectsEveryDataCell) {
  for (int row : {1, 2, 3}) table.SetItemText(row, kName, "Hleb");
  Focus(1, kName);
  Key(Qt::Key_Down, Qt::ShiftModifier);
  Key(Qt::Key_Delete);
  EXPECT_EQ((std::vector<std::string>{Text(1, kName), Text(2, kName), Text(3, kName)}),
            (std::vector<std::string>{"", "", "Hleb"}));
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

}  // namespace
}  // namespace nuvrel::gui::testing
