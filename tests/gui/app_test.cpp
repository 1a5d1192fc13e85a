// SPDX-License-Identifier: MIT
// The desktop program driven by its keys and menu actions on an offscreen screen.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QToolBar>
#include <filesystem>

#include "app_fixture.h"
#include "gui/grid_widget.h"
#include "gui/reports_edit.h"

namespace nuvrel::gui {
namespace {

using sheets::SheetId;
using test::AppFixture;

const QString kTitle = "Nuvrel Serbian Edition v2.2";

TEST(App, SaveAsNamesTheTabAndEntersTheRecentFilesWhichReadIntoTheSheetInFront) {
  AppFixture app;
  const QString path = QString::fromStdString(app.dir / "a.txt");
  app.View().Sheets().Grid(SheetId::Articles).SetItemText(3, 1, "ABC");
  app.dialogs.saveNames = {std::nullopt, path};
  app.Trigger(Cmd::Save);  // without a file Save asks; Cancel keeps the caption
  EXPECT_EQ(app.View().tabText(0), "Articles");
  app.Trigger(Cmd::SaveAs);
  EXPECT_EQ(app.View().tabText(0), "Articles (a.txt)");
  EXPECT_EQ(app.View().RecentFiles(), QStringList{path});
  EXPECT_EQ(app.frame->windowTitle(), "a.txt[*] - " + kTitle);
  EXPECT_EQ(test::ReadBytes(app.dir / "a.txt"), "3\tABC\t\t\t\t\t\t\r\n");

  // Save writes there again without asking.
  app.View().Sheets().Grid(SheetId::Articles).SetItemText(3, 1, "XYZ");
  app.Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(test::ReadBytes(app.dir / "a.txt"), "3\tXYZ\t\t\t\t\t\t\r\n");
  EXPECT_TRUE(app.dialogs.saveNames.empty());

  app.View().SetCurrent(SheetId::Operators);
  QAction* recent = nullptr;
  for (QAction* action : app.frame->menuBar()->findChild<QMenu*>()->actions()) {
    if (action->text() == "&1 a.txt") recent = action;
  }
  ASSERT_NE(recent, nullptr);
  recent->trigger();
  EXPECT_EQ(app.View().Sheets().Grid(SheetId::Operators).GetItemText(3, 1), "XYZ");
  EXPECT_EQ(app.View().tabText(1), "Operators (a.txt)");
  // Clear all from the Reports tab updates the captions too.
  app.View().SetCurrent(SheetId::Reports);
  app.answers = {true};
  app.Trigger(Cmd::ClearAll);
  EXPECT_EQ(app.View().tabText(0), "Articles");
}

TEST(App, APathInCyrillicIsShownExactlyInTheCaptionAndInMessages) {
  AppFixture app;
  const std::string folder = app.dir / "\xD0\xA7\xD0\xB0\xD1\x87\xD0\xB0\xD0\xBA";  // Cyrillic
  std::filesystem::create_directory(folder);
  const std::string file = folder + "/\xD0\xB0\xD1\x80\xD1\x82.txt";
  app.View().SetCurrent(SheetId::Operators);
  app.View().Sheets().Grid(SheetId::Operators).SetItemText(2, 1, "MARKO");
  app.dialogs.saveNames = {QString::fromStdString(file)};
  app.Trigger(Cmd::SaveAs);
  EXPECT_EQ(test::ReadBytes(file), "2\tMARKO\r\n");
  EXPECT_EQ(app.View().tabText(1), QString::fromUtf8("Operators (арт.txt)"));
  app.dialogs.openNames = {QString::fromStdString(folder + "/x.txt")};
  app.Trigger(Cmd::Open);
  EXPECT_EQ(app.ShownTexts(),
            QStringList{QString::fromStdString("The file \"" + folder +
                                               "/x.txt\" cannot be opened for reading!")});
}

TEST(App, F6AndShiftF6WrapAndSetTheFocusCell) {
  AppFixture app;
  app.View().SetCurrent(SheetId::Reports);
  app.Trigger(Cmd::NextTab);
  EXPECT_EQ(app.View().Current(), SheetId::Articles);
  EXPECT_EQ(app.View().Sheets().Grid(SheetId::Articles).GetFocusCell(), (grid::CellId{1, 1}));
  app.Trigger(Cmd::PreviousTab);
  EXPECT_EQ(app.View().Current(), SheetId::Reports);
  app.Trigger(Cmd::PreviousTab);
  EXPECT_EQ(app.View().Current(), SheetId::DepartmentReport);
}

TEST(App, FindNextAndPreviousSpeakThroughMessagesAndGoToLineMovesTheFocusCell) {
  AppFixture app;
  auto& articles = app.View().Sheets().Grid(SheetId::Articles);
  app.Key(Qt::Key_F3);
  ASSERT_EQ(app.ShownTexts(), QStringList{"No text to find!"});
  articles.SetItemText(4, 1, "BANANA");
  articles.SetItemText(9, 1, "ANANAS");
  app.dialogs.finds = {gui::FindRequest{"ana", false, false}};
  app.Trigger(Cmd::Find);
  EXPECT_EQ(articles.GetFocusCell(), (grid::CellId{4, 1}));
  app.Key(Qt::Key_F3);
  EXPECT_EQ(articles.GetFocusCell(), (grid::CellId{9, 1}));
  app.Key(Qt::Key_F3);
  EXPECT_EQ(app.ShownTexts().back(), "Searched to the end of grid.\nText not found!");
  app.Key(Qt::Key_F3, Qt::AltModifier);
  EXPECT_EQ(articles.GetFocusCell(), (grid::CellId{4, 1}));
  app.dialogs.lines = {6u};
  app.Key(Qt::Key_G, Qt::ControlModifier);  // Go to line
  EXPECT_EQ(articles.GetFocusCell(), (grid::CellId{6, 1}));
}

TEST(App, TheLineInfoPaneCountsTheEditAndThenTheStoredText) {
  AppFixture app;
  GridWidget* grid = app.View().Grid(SheetId::Articles);
  grid->setFocus();
  grid->Table().SetFocusCell(3, 3);
  app.frame->UpdateCommands();
  EXPECT_EQ(app.frame->LineInfoPane()->text(), "Ln: 3, Col: 3, Len: 0");
  QTest::keyClicks(QApplication::focusWidget(), "12");
  app.frame->UpdateCommands();
  EXPECT_EQ(app.frame->LineInfoPane()->text(), "Ln: 3, Col: 3, Len: 2");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  grid->Table().SetItemText(3, 3, "12");  // stored as 12.00
  app.frame->UpdateCommands();
  EXPECT_EQ(app.frame->LineInfoPane()->text(), "Ln: 3, Col: 3, Len: 5");
}

TEST(App, TheToolbarToggleKeepsItsCheckMark) {
  AppFixture app;
  QAction* toggle = app.frame->Action(Cmd::ToggleToolbar);
  EXPECT_TRUE(toggle->isChecked());
  toggle->trigger();
  EXPECT_FALSE(app.frame->ToolBar()->isVisible());
  EXPECT_FALSE(toggle->isChecked());
  toggle->trigger();
  EXPECT_TRUE(app.frame->ToolBar()->isVisible());
  EXPECT_TRUE(toggle->isChecked());
  // Hidden by other means, the View menu shows it so as it opens.
  app.frame->ToolBar()->hide();
  QMenu* view = app.frame->menuBar()->actions().at(3)->menu();
  emit view->aboutToShow();
  EXPECT_FALSE(toggle->isChecked());
}

TEST(App, ReportToArticlesAsksAndEndsOnTheArticlesTab) {
  AppFixture app;
  app.View().Sheets().Grid(SheetId::ArticlesReport).SetItemText(5, 1, "SOK");
  app.View().SetCurrent(SheetId::Reports);
  app.answers = {true};
  app.Trigger(Cmd::ReportToArticles);
  EXPECT_EQ(app.View().Sheets().Grid(SheetId::Articles).GetItemText(5, 1), "SOK");
  EXPECT_EQ(app.View().Current(), SheetId::Articles);
}

}  // namespace
}  // namespace nuvrel::gui
