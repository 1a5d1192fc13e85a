// SPDX-License-Identifier: MIT
// Message boxes, questions and the list of problems raised during a transfer are real windows that
// take the person's keys and clicks, while input to the main window is still thrown away.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTreeWidget>

#include "app_fixture.h"
#include "gui/grid_widget.h"
#include "modal_answers.h"
#include "sheets/layouts.h"

namespace nuvrel::gui {
namespace {

using sheets::SheetId;
using test::ModalAnswers;

TEST(TransferBoxes, ASendListsEveryBadCellAClickedLineShowsItsCellAndNothingIsSent) {
  namespace col = sheets::articles;
  test::AppFixture app;
  app.RealBoxes();
  auto& articles = app.Sheet(SheetId::Articles);
  articles.SetItemText(4, col::kName, std::string(40, 'N'));
  articles.SetItemText(900, col::kPrice, "-3");
  GridWidget* grid = app.View().Grid(SheetId::Articles);
  grid->setFocus();
  articles.SetFocusCell(1, col::kPrice);
  // A key typed at the sheet while the list is up must not start an edit afterwards.
  QTimer::singleShot(0, grid, [grid] {
    QCoreApplication::postEvent(grid,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, "7"));
  });
  QStringList lines;
  grid::CellId afterClick;
  bool shown = false;
  ModalAnswers answers{
      ModalAnswers::Act([&](QWidget* modal) {
        auto* list = modal->findChild<QTreeWidget*>();
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
          const QTreeWidgetItem* item = list->topLevelItem(i);
          lines << item->text(0) + " | " + item->text(1) + " | " + item->text(2);
        }
        ASSERT_EQ(lines.size(), 2);
        const QPoint second = list->visualItemRect(list->topLevelItem(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, second);
        afterClick = articles.GetFocusCell();
        shown = !grid->CellRect(900, col::kPrice).isEmpty();
        // Enter on the chosen line closes the list there.
        QCoreApplication::postEvent(
            list, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
      }),
      // Only if the send went on: the port, which does not open here, would say so.
      ModalAnswers::Press(Qt::Key_Escape)};
  app.Key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(lines, (QStringList{"4 | Name | Error: Name is too long!",
                                "900 | Price | Error: Price cannot be negative!"}));
  EXPECT_EQ(afterClick, (grid::CellId{900, col::kPrice}));
  EXPECT_TRUE(shown);
  EXPECT_TRUE(answers.Texts().isEmpty()) << answers.Texts().join("|").toStdString();
  QCoreApplication::processEvents();
  EXPECT_FALSE(grid->IsEditing());
  EXPECT_EQ(articles.GetItemText(1, col::kPrice), "");
  EXPECT_EQ(articles.GetFocusCell(), (grid::CellId{900, col::kPrice}));
  // The offscreen screen hands the activation back to no window when the list goes.
  app.frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(app.frame.get()));
  app.Key(Qt::Key_F6);
  EXPECT_EQ(app.View().Current(), SheetId::Operators);
}

TEST(TransferBoxes, YesToTheEmptyCellsQuestionIsTakenByAClick) {
  test::AppFixture app;
  app.RealBoxes();
  app.View().SetCurrent(SheetId::Operators);
  app.Sheet(SheetId::Operators).SelectCell(2, 1);
  app.frame->UpdateCommands();
  // Yes goes on to the port, which does not open here: a second box, closed with Esc.
  ModalAnswers answers{ModalAnswers::Click("Yes"), ModalAnswers::Press(Qt::Key_Escape)};
  app.Key(Qt::Key_E, Qt::ControlModifier);
  EXPECT_TRUE(answers.AllGiven());
  ASSERT_EQ(answers.Texts().size(), 2);
  EXPECT_TRUE(answers.Texts()[0].startsWith("Warning: Some of the selected cells are empty!"));
  EXPECT_TRUE(answers.Texts()[1].startsWith("Cannot open COM1 !"));
}

TEST(TransferBoxes, ASendThatWouldCarryAHiddenColumnAsksFirstAndNoIsTheDefault) {
  test::AppFixture app;
  app.RealBoxes();
  app.Sheet(SheetId::Articles).SetItemText(1, sheets::articles::kName, "Hleb");
  app.Sheet(SheetId::Articles).SetColumnWidth(sheets::articles::kPrice, 0);
  app.View().Grid(SheetId::Articles)->setFocus();
  ModalAnswers answers{ModalAnswers::Press(Qt::Key_Return), ModalAnswers::Press(Qt::Key_Escape)};
  app.Key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(
      answers.Texts(),
      QStringList{"These hidden columns are sent to the ECR too: Price\nDo you wish to continue?"});
}

}  // namespace
}  // namespace nuvrel::gui
