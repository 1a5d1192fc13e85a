// SPDX-License-Identifier: MIT
// Title tips: the whole text of a cell too narrow for it, shown over the cell while the mouse
// rests there, and gone when the mouse moves on or the grid scrolls.

#include "grid_widget_fixture.h"
#include "gui/cell_title_tip.h"

namespace nuvrel::gui::testing {
namespace {

using sheets::articles::kName;

class TitleTip : public GridWidgetFixture {
 protected:
  void SetUp() override {
    GridWidgetFixture::SetUp();
    table.SetItemText(1, kName, kLong);
    table.SetItemText(2, kName, "Sir");
    m_tip = grid.findChild<CellTitleTip*>();
    ASSERT_NE(m_tip, nullptr);
  }
  // The mouse comes from the empty corner cell: moving to where it already is would move nothing.
  void Hover(int row, int col) {
    QTest::mouseMove(grid.viewport(), QPoint(1, 1));
    QTest::mouseMove(grid.viewport(), Centre(row, col));
  }
  bool Shown() const { return m_tip->isVisible(); }

  static constexpr const char* kLong = "Jogurt vocni jagoda 1kg, casa 6 komada";
  CellTitleTip* m_tip = nullptr;
};

TEST_F(TitleTip, ALongNameShowsWholeOverItsCell) {
  Hover(1, kName);
  ASSERT_TRUE(Shown());
  EXPECT_EQ(m_tip->Text().trimmed(), kLong);
  const QRect cell = grid.CellRect(1, kName);
  EXPECT_EQ(m_tip->geometry().topLeft(), grid.viewport()->mapToGlobal(cell.topLeft()));
  EXPECT_GT(m_tip->width(), cell.width());
  EXPECT_EQ(m_tip->height(), cell.height() - 1);  // the cell less its grid line
}

TEST_F(TitleTip, NoneForAShortTextOnADividerOrWhileEditingAndGoneOnMovingOffOrScrolling) {
  Hover(2, kName);
  EXPECT_FALSE(Shown()) << "short text";
  QTest::mouseMove(grid.viewport(), grid.CellRect(0, kName).topRight() + QPoint(1, 2));
  EXPECT_FALSE(Shown()) << "on the header divider";
  Hover(1, kName);
  ASSERT_TRUE(Shown());
  Hover(2, kName);
  EXPECT_FALSE(Shown()) << "moved off";
  Hover(1, kName);
  ASSERT_TRUE(Shown());
  grid.verticalScrollBar()->setValue(1);
  EXPECT_FALSE(Shown()) << "scrolled";
  grid.verticalScrollBar()->setValue(0);
  Focus(3, kName);
  Type("x");
  ASSERT_TRUE(grid.IsEditing());
  Hover(1, kName);
  EXPECT_FALSE(Shown()) << "editing";
}

TEST_F(TitleTip, APressOnTheTipHandsTheMouseToTheGridUntilRelease) {
  const QRect cell = grid.CellRect(1, kName);

  Hover(1, kName);
  ASSERT_TRUE(Shown());
  QTest::mousePress(m_tip, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_FALSE(Shown());
  EXPECT_EQ(QWidget::mouseGrabber(), grid.viewport());
  QTest::mouseRelease(grid.viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

}  // namespace
}  // namespace nuvrel::gui::testing
