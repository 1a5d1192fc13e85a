// SPDX-License-Identifier: MIT
// Nothing the person typed or opened is lost without a question: Save writes the file the sheet
// came from, every command that would throw data away asks first (and Cancel or No changes
// nothing), and every change of the sheets can be undone and redone.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QMenuBar>
#include <array>
#include <functional>

#include "app_fixture.h"
#include "gui/grid_widget.h"
#include "gui/reports_edit.h"
#include "modal_answers.h"
#include "sheets/layouts.h"
#include "sheets/sheet_file.h"

namespace nuvrel::gui {
namespace {

using sheets::SheetId;
using sheets::articles::kName;
using sheets::articles::kPrice;
using test::ModalAnswers;

// Every sheet's data as file text, and the Reports pane's text.
using Snapshot = std::array<std::string, sheets::kSheetCount>;
Snapshot Take(test::AppFixture& app) {
  Snapshot snapshot;
  for (const sheets::SheetInfo& info : sheets::GridSheets()) {
    snapshot[static_cast<std::size_t>(sheets::Index(info.id))] =
        sheets::SheetText(app.Sheet(info.id));
  }
  snapshot.back() = app.View().Reports()->Text();
  return snapshot;
}

// Types into a cell as a person does: click it, type, Enter.
void TypeInto(test::AppFixture& app, int row, int col, const QString& text) {
  GridWidget* grid = app.View().Grid(app.View().Current());
  grid->EnsureVisible(row, col);
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                    grid->CellRect(row, col).center());
  QTest::keyClicks(QApplication::focusWidget(), text);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
}

QAction* RecentFile(test::AppFixture& app, const QString& name) {
  for (QAction* action : app.frame->menuBar()->actions().front()->menu()->actions()) {
    if (action->text().endsWith(" " + name)) return action;
  }
  return nullptr;
}

TEST(UnsavedChanges, SaveAfterOpenWritesTheOpenedFileAndThenExitAsksNothing) {
  test::AppFixture app;
  app.Sheet(SheetId::Articles).SetItemText(1, kName, "A");
  app.dialogs.saveNames = {QString::fromStdString(app.dir / "a.txt")};
  app.Trigger(Cmd::SaveAs);
  test::WriteBytes(app.dir / "b.txt", "2\tB\r\n");
  app.dialogs.openNames = {QString::fromStdString(app.dir / "b.txt")};
  app.Key(Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(app.View().tabText(0), "Articles (b.txt)");
  EXPECT_EQ(app.frame->windowTitle(), "b.txt[*] - Nuvrel Serbian Edition v2.2");

  app.View().Grid(SheetId::Articles)->setFocus();
  TypeInto(app, 2, kPrice, "5");
  app.Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(test::ReadBytes(app.dir / "b.txt"), "2\tB\t\t5.00\t\t\t\t\r\n");
  EXPECT_EQ(test::ReadBytes(app.dir / "a.txt"), "1\tA\t\t\t\t\t\t\r\n");
  EXPECT_TRUE(app.dialogs.saveNames.empty());
  // With every sheet saved or empty, nothing asks.
  app.RealBoxes();
  app.Trigger(Cmd::Exit);
  EXPECT_FALSE(app.frame->isVisible());
}

TEST(UnsavedChanges, EveryCommandThatWouldLoseDataAsksAndCancelOrNoChangesNothing) {
  struct Case {
    const char* command;
    ModalAnswers::Answer answer;
    std::function<void(test::AppFixture&)> run;
  };
  const Case cases[] = {
      {"Open", ModalAnswers::Press(Qt::Key_Escape),
       [](test::AppFixture& app) {
         app.dialogs.openNames = {QString::fromStdString(app.dir / "other.txt")};
         app.Key(Qt::Key_O, Qt::ControlModifier);
       }},
      {"a recent file", ModalAnswers::Click("Cancel"),
       [](test::AppFixture& app) { RecentFile(app, "other.txt")->trigger(); }},
      {"Clear all", ModalAnswers::Press(Qt::Key_Return),
       [](test::AppFixture& app) { app.Key(Qt::Key_N, Qt::ControlModifier); }},
      {"Report to articles", ModalAnswers::Press(Qt::Key_Return),
       [](test::AppFixture& app) { app.Trigger(Cmd::ReportToArticles); }},
      {"Exit", ModalAnswers::Press(Qt::Key_Escape),
       [](test::AppFixture& app) { app.Trigger(Cmd::Exit); }},
      {"closing the window", ModalAnswers::Click("Cancel"),
       [](test::AppFixture& app) { app.frame->close(); }},
  };
  for (const Case& c : cases) {
    test::AppFixture app;
    test::WriteBytes(app.dir / "other.txt", "9\tOTHER\r\n");
    app.dialogs.openNames = {QString::fromStdString(app.dir / "other.txt")};
    app.Trigger(Cmd::Open);  // enters other.txt into the recent files
    app.Sheet(SheetId::ArticlesReport).SetItemText(3, kName, "REPORTED");
    app.View().Grid(SheetId::Articles)->setFocus();
    TypeInto(app, 1, kName, "Hleb");
    app.RealBoxes();
    const Snapshot before = Take(app);

    ModalAnswers answers{c.answer};
    c.run(app);
    EXPECT_TRUE(answers.AllGiven()) << c.command << " did not ask";
    EXPECT_EQ(Take(app), before) << c.command;
    EXPECT_EQ(test::ReadBytes(app.dir / "other.txt"), "9\tOTHER\r\n") << c.command;
    EXPECT_EQ(app.View().tabText(0), "Articles (other.txt)") << c.command;
    EXPECT_TRUE(app.frame->isVisible()) << c.command;
  }
}

TEST(UnsavedChanges, ExitNamesTheUnsavedSheetsAndSaveSavesThemBeforeClosing) {
  test::AppFixture app;
  app.Sheet(SheetId::Operators).SetItemText(1, 1, "ANA");
  app.Sheet(SheetId::Departments).SetItemText(1, 1, "MLEKO");
  app.RealBoxes();
  app.dialogs.saveNames = {QString::fromStdString(app.dir / "ops.txt"),
                           QString::fromStdString(app.dir / "deps.txt")};
  ModalAnswers answers{ModalAnswers::Press(Qt::Key_Return)};  // Save is the default
  app.Trigger(Cmd::Exit);
  ASSERT_EQ(answers.Texts().size(), 1);
  EXPECT_EQ(answers.Texts()[0],
            "These sheets hold changes that are not saved:\n    Operators\n    Departments\n\n"
            "Save them first?");
  EXPECT_FALSE(app.frame->isVisible());
  EXPECT_EQ(test::ReadBytes(app.dir / "ops.txt"), "1\tANA\r\n");
  EXPECT_EQ(test::ReadBytes(app.dir / "deps.txt"), "0\tMLEKO\r\n");
}

TEST(UnsavedChanges, UndoAndRedoWalkBackAndForthOverTypingPasteClearAllAndOpen) {
  test::AppFixture app;
  test::WriteBytes(app.dir / "opened.txt", "5\tOPENED\t\t1.00\r\n");
  app.View().Grid(SheetId::Articles)->setFocus();
  std::vector<Snapshot> states{Take(app)};

  TypeInto(app, 1, kName, "Hleb");
  states.push_back(Take(app));
  QGuiApplication::clipboard()->setText("Mleko\t\t2,5\nSir");
  app.Sheet(SheetId::Articles).SelectCell(2, kName);
  app.Sheet(SheetId::Articles).SetFocusCell(2, kName);
  app.Key(Qt::Key_V, Qt::ControlModifier);
  states.push_back(Take(app));
  app.answers = {true};
  app.Key(Qt::Key_N, Qt::ControlModifier);
  states.push_back(Take(app));
  app.dialogs.openNames = {QString::fromStdString(app.dir / "opened.txt")};
  app.Key(Qt::Key_O, Qt::ControlModifier);
  states.push_back(Take(app));
  ASSERT_EQ(app.Sheet(SheetId::Articles).GetItemText(5, kName), "OPENED");
  ASSERT_EQ(app.Sheet(SheetId::Articles).GetItemText(2, kPrice), "");

  for (std::size_t i = states.size() - 1; i-- > 0;) {
    app.Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Take(app), states[i]) << "undo to state " << i;
  }
  EXPECT_FALSE(app.frame->Action(Cmd::Undo)->isEnabled());
  EXPECT_EQ(app.View().tabText(0), "Articles");
  for (std::size_t i = 1; i < states.size(); ++i) {
    app.Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(Take(app), states[i]) << "redo to state " << i;
  }
  EXPECT_EQ(app.View().tabText(0), "Articles (opened.txt)");
}

}  // namespace
}  // namespace nuvrel::gui
