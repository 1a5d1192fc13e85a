// SPDX-License-Identifier: MIT
// The grid's mouse: selecting by cell, header, label and corner, Shift and Ctrl clicks, dragging
// with scrolling, resizing at the dividers, the right button, the wheel and check boxes.
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

#include "grid_widget_fixture.h"
#include "sheets/cell_types.h"

namespace nuvrel::gui::testing {
namespace {

using sheets::articles::kBarcode;
using sheets::articles::kDepartment;
using sheets::articles::kInStock;
using sheets::articles::kName;
using sheets::articles::kPrice;
using sheets::articles::kTaxGroup;

class GridMouse : public GridWidgetFixture {
 protected:
  QWidget* Viewport() { return grid.viewport(); }
  // The divider right of a column in the header row.
  QPoint ColumnDivider(int col) {
    const QRect header = grid.CellRect(0, col);
    return {header.x() + header.width(), header.center().y()};
  }
  void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mousePress(Viewport(), Qt::LeftButton, modifiers, from);
    QTest::mouseMove(Viewport(), to);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, modifiers, to);
  }
  void DoubleClick(QPoint at) {
    QTest::mouseDClick(Viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::NoModifier, at);
  }
};

TEST_F(GridMouse, AHeaderSelectsItsColumnALabelItsRowTheCornerEverything) {
  Click(0, kPrice);
  EXPECT_EQ(table.GetSelectedBoundingRange(), (grid::CellRange{1, kPrice, 2400, kPrice}));
  EXPECT_EQ(table.GetSelectedCount(), 2400u);
  EXPECT_EQ(FocusCell(), (grid::CellId{1, kPrice}));

  Click(5, 0);
  EXPECT_EQ(table.GetSelectedBoundingRange(), (grid::CellRange{5, kName, 5, kInStock}));
  EXPECT_EQ(FocusCell(), (grid::CellId{5, kName}));

  Click(0, 0);
  EXPECT_EQ(table.GetSelectedBoundingRange(), table.DataRange());
  EXPECT_EQ(table.GetSelectedCount(), 2400u * 7u);
}

TEST_F(GridMouse, ShiftClickSelectsTheRectangleCtrlClickAndCtrlDragAddToTheSelection) {
  Click(2, kName);
  Click(4, kPrice, Qt::ShiftModifier);
  EXPECT_EQ(table.GetSelectedBoundingRange(), (grid::CellRange{2, kName, 4, kPrice}));
  EXPECT_EQ(table.GetSelectedCount(), 9u);
  EXPECT_EQ(FocusCell(), (grid::CellId{4, kPrice}));

  Click(7, kTaxGroup, Qt::ControlModifier);
  EXPECT_EQ(table.GetSelectedCount(), 10u);
  EXPECT_TRUE(table.IsCellSelected(2, kName));
  EXPECT_TRUE(table.IsCellSelected(7, kTaxGroup));

  Click(0, kDepartment, Qt::ControlModifier);
  EXPECT_EQ(table.GetSelectedCount(), 2410u);

  Click(3, kBarcode);
  EXPECT_EQ(table.GetSelectedCount(), 1u);

  // A Ctrl drag keeps what was selected before.
  Click(8, kTaxGroup);
  QTest::mousePress(Viewport(), Qt::LeftButton, Qt::ControlModifier, Centre(2, kName));
  QTest::mouseMove(Viewport(), Centre(3, kName));
  QTest::mouseMove(Viewport(), Centre(2, kName));
  QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::ControlModifier, Centre(2, kName));
  EXPECT_EQ(table.GetSelectedCells(), (std::vector<grid::CellId>{{2, kName}, {8, kTaxGroup}}));
}

TEST_F(GridMouse, DraggingSelectsAndScrollsWhileTheMouseIsBelowTheCells) {
  QTest::mousePress(Viewport(), Qt::LeftButton, Qt::NoModifier, Centre(2, kName));
  QTest::mouseMove(Viewport(), Centre(4, kBarcode));
  EXPECT_EQ(table.GetSelectedBoundingRange(), (grid::CellRange{2, kName, 4, kBarcode}));

  const int lastShown = grid.TopLeftVisibleCell().row + grid.verticalScrollBar()->pageStep();
  QTest::mouseMove(Viewport(), QPoint(Centre(4, kBarcode).x(), Viewport()->height() + 20));
  QTest::qWait(300);
  QTest::mouseRelease(Viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(Centre(4, kBarcode).x(), Viewport()->height() + 20));
  EXPECT_GT(grid.TopLeftVisibleCell().row, 1);
  const grid::CellRange selected = table.GetSelectedBoundingRange();
  EXPECT_EQ(selected.minRow, 2);
  EXPECT_GT(selected.maxRow, lastShown);
  EXPECT_EQ(FocusCell().row, selected.maxRow);

  // The auto-scroll stopped with the button.
  const int top = grid.TopLeftVisibleCell().row;
  QTest::qWait(100);
  EXPECT_EQ(grid.TopLeftVisibleCell().row, top);
}

TEST_F(GridMouse, DoubleClickOnAHeaderDividerFitsTheColumnToItsWidestText) {
  const std::string name = "Jogurt vocni jagoda 1kg, casa 6 komada";
  table.SetItemText(3, kName, name);
  QTest::mouseMove(Viewport(), QPoint(1, 1));
  QTest::mouseMove(Viewport(), ColumnDivider(kName));
  EXPECT_EQ(Viewport()->cursor().shape(), Qt::SplitHCursor);
  DoubleClick(ColumnDivider(kName));
  const QtTextMeasurer measurer(SheetTestFont());
  EXPECT_EQ(table.GetColumnWidth(kName),
            measurer.TextExtent(name).width + 4 * table.DefaultCellFor(3, kName).Margin());
}

TEST_F(GridMouse, DraggingAHeaderDividerResizesHidesPastTheLeftEdgeAndReopensAHiddenColumn) {
  const int before = table.GetColumnWidth(kPrice);
  const QPoint divider = ColumnDivider(kPrice);
  Drag(divider, divider + QPoint(30, 0));
  EXPECT_EQ(table.GetColumnWidth(kPrice), before + 30);
  EXPECT_EQ(table.GetSelectedCount(), 0u);  // resizing selects nothing

  const QPoint moved = ColumnDivider(kPrice);
  Drag(moved, QPoint(5, moved.y()));
  EXPECT_EQ(table.GetColumnWidth(kPrice), 0);
  Focus(1, kBarcode);
  Key(Qt::Key_Right);
  EXPECT_EQ(FocusCell(), (grid::CellId{1, kTaxGroup}));

  // Just right of the divider where the hidden column lies, a drag opens it again.
  const QPoint hidden = ColumnDivider(kBarcode) + QPoint(1, 0);
  QTest::mouseMove(Viewport(), hidden);
  EXPECT_EQ(Viewport()->cursor().shape(), Qt::SplitHCursor);
  Drag(hidden, hidden + QPoint(40, 0));
  EXPECT_EQ(table.GetColumnWidth(kPrice), 40);

  // Hidden again, a double click there fits it open.
  const int barcode = table.GetColumnWidth(kBarcode);
  table.SetColumnWidth(kPrice, 0);
  DoubleClick(hidden);
  EXPECT_GT(table.GetColumnWidth(kPrice), 0);
  EXPECT_EQ(table.GetColumnWidth(kBarcode), barcode);
}

TEST_F(GridMouse, RowDividersResizeOnlyWhenTheGridAllowsIt) {
  const QRect label = grid.CellRect(3, 0);
  const QPoint divider(label.center().x(), label.y() + label.height());
  const int before = table.GetRowHeight(3);
  Drag(divider, divider + QPoint(0, 10));
  EXPECT_EQ(table.GetRowHeight(3), before);  // the sheets switch row resizing off

  table.SetRowResize(true);
  Drag(divider, divider + QPoint(0, 10));
  EXPECT_EQ(table.GetRowHeight(3), before + 10);
}

TEST_F(GridMouse, RightClickEndsTheEditMovesTheFocusCellAndAsksForTheMenu) {
  QSignalSpy spy(&grid, &GridWidget::contextMenuRequested);
  Focus(1, kName);
  Type("Sir");
  QTest::mouseClick(Viewport(), Qt::RightButton, Qt::NoModifier, Centre(4, kPrice));
  EXPECT_FALSE(grid.IsEditing());
  EXPECT_EQ(Text(1, kName), "Sir");
  EXPECT_EQ(FocusCell(), (grid::CellId{4, kPrice}));
  ASSERT_EQ(spy.count(), 1);
  EXPECT_EQ(spy.at(0).at(0).toPoint(), Viewport()->mapToGlobal(Centre(4, kPrice)));

  // A header stands for its column: the focus goes to the column's first row on screen.
  QTest::mouseClick(Viewport(), Qt::RightButton, Qt::NoModifier, Centre(0, kBarcode));
  EXPECT_EQ(FocusCell(), (grid::CellId{1, kBarcode}));
  EXPECT_EQ(spy.count(), 2);
}

TEST_F(GridMouse, TheWheelScrollsTheConfiguredNumberOfRowsPerNotch) {
  const QPoint at = Centre(3, kName);
  QWheelEvent notch(at, Viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(Viewport(), &notch);
  EXPECT_EQ(grid.TopLeftVisibleCell().row, 1 + QApplication::wheelScrollLines());
}

TEST(GridCheckBox, AClickInTheBoxTogglesItAndMarksTheCell) {
  MeasuredSheet sheet(sheets::SheetId::Operators);
  grid::CellTable& table = sheet.table;
  table.SetCellType<sheets::CheckBoxCell>(2, 1);
  table.SetModified(false);
  GridWidget grid(table);
  grid.setFixedSize(400, 300);
  grid.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
  const QRect cell = grid.CellRect(2, 1);
  auto* check = dynamic_cast<sheets::CheckBoxCell*>(table.GetCell(2, 1));
  ASSERT_NE(check, nullptr);

  QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, cell.topLeft() + QPoint(8, 8));
  EXPECT_TRUE(check->IsChecked());
  EXPECT_TRUE(table.GetModified());
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier,
                    QPoint(cell.right() - 10, cell.center().y()));
  EXPECT_TRUE(check->IsChecked());
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, cell.topLeft() + QPoint(8, 8));
  EXPECT_FALSE(check->IsChecked());
  EXPECT_FALSE(grid.IsEditing());
}

}  // namespace
}  // namespace nuvrel::gui::testing
