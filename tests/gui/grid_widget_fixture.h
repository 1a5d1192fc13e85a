// SPDX-License-Identifier: MIT
// A grid widget over a real sheet, shown on the offscreen screen at a fixed size, with helpers that
// click cells and press keys the way a person does (keys go to whatever has the focus, so typing
// after an edit opened lands in the edit).
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <string>

#include "grid/cell_table.h"
#include "gui/grid_widget.h"
#include "gui/qt_text_measurer.h"
#include "sheets/layouts.h"

namespace nuvrel::gui::testing {

inline QFont SheetTestFont() {
  QFont font(QStringLiteral("Courier New"));
  font.setPixelSize(14);
  return font;
}

// The sheet laid out in the real font, as the view lays it out.
struct MeasuredSheet {
  explicit MeasuredSheet(sheets::SheetId id) : table(&measurer) { sheets::SetupSheet(id, table); }
  QtTextMeasurer measurer{SheetTestFont()};
  grid::CellTable table;
};

class GridWidgetFixture : public ::testing::Test {
 protected:
  explicit GridWidgetFixture(sheets::SheetId id = sheets::SheetId::Articles)
      : m_sheet(id), table(m_sheet.table), grid(table) {
    grid.SetGridFont(SheetTestFont());
  }

  void SetUp() override {
    grid.setFixedSize(700, 420);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    grid.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
    grid.setFocus();
  }

  QWidget* FocusTarget() {
    QWidget* focused = QApplication::focusWidget();
    return focused ? focused : &grid;
  }
  QPoint Centre(int row, int col) const { return grid.CellRect(row, col).center(); }
  void Click(int row, int col, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    ASSERT_FALSE(grid.CellRect(row, col).isEmpty()) << row << "," << col << " is off screen";
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, modifiers, Centre(row, col));
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(FocusTarget(), key, modifiers);
  }
  // Types each character into whatever has the focus at that moment.
  void Type(const QString& text) {
    for (QChar c : text) {
      QTest::sendKeyEvent(QTest::Click, FocusTarget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
  // Makes (row, col) the focus cell and the selection, by clicking it.
  void Focus(int row, int col) {
    grid.EnsureVisible(row, col);
    Click(row, col);
    ASSERT_EQ(table.GetFocusCell(), (grid::CellId{row, col}));
  }
  std::string Text(int row, int col) const { return table.GetItemText(row, col); }
  grid::CellId FocusCell() const { return table.GetFocusCell(); }

 private:
  MeasuredSheet m_sheet;

 protected:
  grid::CellTable& table;
  GridWidget grid;
};

}  // namespace nuvrel::gui::testing
