// SPDX-License-Identifier: MIT
// The main window as a desktop window: its title names the sheet's file and marks unsaved data, it
// comes back where it was with the columns as they were, Ctrl+Q ends it, and its context menu
// speaks the menus' language.
#include <gtest/gtest.h>

#include <QMenu>
#include <QTimer>
#include <QToolBar>

#include "app_fixture.h"
#include "gui/grid_widget.h"
#include "gui/window_settings.h"
#include "sheets/layouts.h"

namespace nuvrel::gui {
namespace {

using sheets::SheetId;

TEST(Window, TheTitleNamesTheSheetsFileAndMarksDataNotSaved) {
  test::AppFixture app;
  EXPECT_EQ(app.frame->windowTitle(), "Articles[*] - Nuvrel Serbian Edition v2.2");
  EXPECT_FALSE(app.frame->isWindowModified());

  GridWidget* grid = app.View().Grid(SheetId::Articles);
  grid->setFocus();
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                    grid->CellRect(2, 1).center());
  QTest::keyClicks(QApplication::focusWidget(), "Hleb");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_TRUE(app.frame->isWindowModified());

  app.dialogs.saveNames = {QString::fromStdString(app.dir / "a.txt")};
  app.Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(app.frame->windowTitle(), "a.txt[*] - Nuvrel Serbian Edition v2.2");
  EXPECT_FALSE(app.frame->isWindowModified());

  app.Key(Qt::Key_F6, Qt::ShiftModifier);
  EXPECT_EQ(app.frame->windowTitle(), "Reports[*] - Nuvrel Serbian Edition v2.2");
}

TEST(Window, SizePlaceColumnWidthsAndBarsComeBackInTheNextRunAlsoFromTheOlderBarsKey) {
  test::AppFixture app;
  app.frame->setGeometry(QRect(40, 50, 700, 500));
  app.frame->findChild<QToolBar*>()->hide();
  app.Sheet(SheetId::Articles).SetColumnWidth(sheets::articles::kName, 222);
  app.Sheet(SheetId::Operators).SetColumnWidth(1, 0);
  app.Key(Qt::Key_Q, Qt::ControlModifier);
  ASSERT_FALSE(app.frame->isVisible());
  // Widths kept for a sheet of another shape (an older program's, or a hand-edited file) are left.
  const int departmentsWidth = app.Sheet(SheetId::Departments).GetColumnWidth(1);
  WindowSettings().setValue("ColumnWidths/departments", QVariantList{10});
  WindowSettings().setValue("ColumnWidths/firm-data", QVariantList{10, "wide"});
  // The bars as an older version would have left them.
  const QVariant state = WindowSettings().value("BarState");
  WindowSettings().remove("BarState");
  WindowSettings().setValue("LedraHistory", state);

  app.frame = std::make_unique<MainWindow>(app.ui, app.dialogs, app.link);
  EXPECT_EQ(app.frame->geometry(), QRect(40, 50, 700, 500));
  EXPECT_EQ(app.Sheet(SheetId::Articles).GetColumnWidth(sheets::articles::kName), 222);
  EXPECT_EQ(app.Sheet(SheetId::Operators).GetColumnWidth(1), 0);
  EXPECT_EQ(app.Sheet(SheetId::Departments).GetColumnWidth(1), departmentsWidth);
  EXPECT_GT(app.Sheet(SheetId::FirmData).GetColumnWidth(1), 10);
  EXPECT_TRUE(app.frame->findChild<QToolBar*>()->isHidden());
  app.frame->close();
  EXPECT_EQ(WindowSettings().value("BarState"), state);
  EXPECT_FALSE(WindowSettings().contains("LedraHistory"));
}

TEST(Window, TheContextMenuShowsMenuTextsWithKeysAndOpensUnderTheFocusCell) {
  test::AppFixture app;
  GridWidget* grid = app.View().Grid(SheetId::Articles);
  grid->setFocus();
  grid->Table().SetFocusCell(3, 2);
  QStringList texts;
  QPoint at;
  QTimer::singleShot(0, [&] {
    QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (!menu) return;
    for (QAction* action : menu->actions()) texts << action->text();
    at = menu->pos();
    menu->close();
  });
  QTest::keyClick(grid, Qt::Key_F10, Qt::ShiftModifier);
  EXPECT_EQ(texts, (QStringList{"Cu&t\tCtrl+X", "&Copy\tCtrl+C", "&Paste\tCtrl+V", "",
                                "Select &All\tCtrl+A", "", "&Send to ECR\tCtrl+D",
                                "Se&nd selected\tCtrl+E", "Articles &report\tCtrl+R"}));
  const QRect cell = grid->CellRect(3, 2);
  EXPECT_EQ(at, grid->viewport()->mapToGlobal(cell.bottomLeft() + QPoint(1, 1)));
}

}  // namespace
}  // namespace nuvrel::gui
