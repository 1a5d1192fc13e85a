// SPDX-License-Identifier: MIT
// Editing in place: how an edit opens (typing, F2, Backspace, Space, clicks), what the cell's
// rules let in, how it ends (Enter, Tab, arrows, Esc, clicking elsewhere) and what gets stored.
#include <functional>

#include "grid_widget_fixture.h"
#include "modal_answers.h"

namespace nuvrel::gui::testing {
namespace {

using sheets::articles::kBarcode;
using sheets::articles::kName;
using sheets::articles::kPrice;
using sheets::articles::kTaxGroup;
using test::ModalAnswers;

class InPlaceEdit : public GridWidgetFixture {
 protected:
  // A text in a cell as if it had been read from a file and saved: no modified marks.
  void Put(int row, int col, const std::string& text) {
    table.SetItemText(row, col, text);
    table.GetCell(row, col)->SetState({});
    table.SetModified(false);
  }
  CellEditor* Edit() { return grid.Editor(); }
};

TEST_F(InPlaceEdit, TabEnterAndArrowsOpenTheCellTheyReachSoThatTypingReplacesItsText) {
  struct Case {
    const char* how;
    grid::CellId from;
    Qt::Key key;
    grid::CellId to;
    bool typeFirst = true;
  };
  const Case cases[] = {
      {"Enter outside an edit", {11, kPrice}, Qt::Key_Return, {12, kPrice}, false},
      {"Tab", {1, kBarcode}, Qt::Key_Tab, {1, kPrice}},
      {"Enter", {3, kPrice}, Qt::Key_Return, {4, kPrice}},
      {"Down", {6, kPrice}, Qt::Key_Down, {7, kPrice}},
      {"Right", {9, kBarcode}, Qt::Key_Right, {9, kPrice}},
  };
  for (const Case& c : cases) {
    Put(c.to.row, c.to.col, "1.50");
    Focus(c.from.row, c.from.col);
    if (c.typeFirst) Type("1");
    Key(c.key);
    ASSERT_TRUE(grid.IsEditing()) << c.how;
    EXPECT_EQ(FocusCell(), c.to) << c.how;
    EXPECT_EQ(Edit()->selectedText(), "1.50") << c.how;
    Type("7");
    Key(Qt::Key_Return);
    EXPECT_EQ(Text(c.to.row, c.to.col), "7.00") << c.how;
    Key(Qt::Key_Escape);  // the edit Enter opened below
  }
}

TEST_F(InPlaceEdit, ClicksOpenWithTheCaretAtTheEndWhereArrowsMoveItWhileAfterTypingTheyEndIt) {
  Put(3, kName, "Sir");
  QTest::mouseDClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, Centre(3, kName));
  QTest::mouseRelease(grid.viewport(), Qt::LeftButton, Qt::NoModifier, Centre(3, kName));
  EXPECT_EQ(FocusCell(), (grid::CellId{3, kName}));
  ASSERT_TRUE(grid.IsEditing());
  EXPECT_EQ(Edit()->cursorPosition(), 3);
  Key(Qt::Key_Escape);

  Put(1, kName, "Hleb");
  Focus(1, kName);
  Click(1, kName);  // the focus cell clicked again
  ASSERT_TRUE(grid.IsEditing());
  EXPECT_EQ(Edit()->cursorPosition(), 4);
  Key(Qt::Key_Left);
  Key(Qt::Key_Down);
  ASSERT_TRUE(grid.IsEditing());
  EXPECT_EQ(Edit()->cursorPosition(), 3);
  EXPECT_EQ(FocusCell(), (grid::CellId{1, kName}));
  Key(Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(FocusCell(), (grid::CellId{2, kName}));
  ASSERT_TRUE(grid.IsEditing());

  Type("x");
  Key(Qt::Key_Down);
  EXPECT_EQ(Text(2, kName), "x");
  EXPECT_EQ(FocusCell(), (grid::CellId{3, kName}));
}

TEST_F(InPlaceEdit, F2AndBackspaceKeepTheTextSpaceSelectsItATypedCharacterReplacesIt) {
  Put(1, kName, "Hleb");
  Focus(1, kName);
  Key(Qt::Key_F2);
  EXPECT_EQ(grid.EditText(), "Hleb");
  EXPECT_FALSE(Edit()->hasSelectedText());
  Key(Qt::Key_Escape);

  Key(Qt::Key_Backspace);
  EXPECT_EQ(grid.EditText(), "Hle");
  Key(Qt::Key_Escape);
  EXPECT_EQ(Text(1, kName), "Hleb");

  Type(" ");
  EXPECT_EQ(Edit()->selectedText(), "Hleb");
  Key(Qt::Key_Escape);

  Type("S");
  EXPECT_EQ(grid.EditText(), "S");
}

TEST_F(InPlaceEdit, WhatACellLetsInAndStores) {
  std::string longName(40000, 'a');  // longer than a line edit takes by default
  longName.append("b");
  std::string longNameTyped = longName;
  longNameTyped.append("c");
  struct Case {
    const char* what;
    int col;
    std::string before;  // opened with F2 when there is one
    QString typed;       // '\b' presses Backspace
    QString edited;      // empty: not checked
    std::string stored;
  };
  const Case cases[] = {
      {"barcode: twelve digits at most", kBarcode, "", "12ab345678901234", "123456789012",
       "123456789012"},
      {"tax group: one character", kTaxGroup, "", "AB", "A", "A"},
      {"Cyrillic in Windows-1251", kName, "", QString::fromUtf8("Хлеб"), "", "\xD5\xEB\xE5\xE1"},
      // Prices keep what is not a number as it came.
      {"a text past the limit shown whole, may shrink, not grow", kPrice, std::string(35, 'x'),
       "y\bz", QString(34, 'x'), std::string(34, 'x')},
      {"a very long text edited whole", kName, longName, "c", "", longNameTyped},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Put(1, c.col, c.before);
    Focus(1, c.col);
    if (!c.before.empty()) Key(Qt::Key_F2);
    for (QChar ch : c.typed) {
      if (ch == '\b') {
        Key(Qt::Key_Backspace);
      } else {
        Type(ch);
      }
    }
    if (!c.edited.isEmpty()) {
      EXPECT_EQ(grid.EditText(), c.edited);
    }
    Key(Qt::Key_Return);
    EXPECT_EQ(Text(1, c.col), c.stored);
    Key(Qt::Key_Escape);
  }
}

TEST_F(InPlaceEdit, ALetterASheetCannotHoldIsReplacedOnlyWhenThePersonSaysSo) {
  Focus(1, kName);
  Type(QString::fromUtf8("Š"));
  {
    ModalAnswers answers{ModalAnswers::Press(Qt::Key_Escape)};
    Key(Qt::Key_Return);
    EXPECT_EQ(answers.Texts(), QStringList{QString::fromUtf8(
                                   "A sheet cannot hold these characters:\nŠ → S\nReplace them "
                                   "as shown?")});
  }
  // Back in the edit, with the text as typed.
  ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
  ASSERT_TRUE(grid.IsEditing());
  EXPECT_EQ(grid.EditText(), QString::fromUtf8("Š"));
  EXPECT_TRUE(Edit()->hasFocus());
  EXPECT_EQ(Text(1, kName), "");

  ModalAnswers answers{ModalAnswers::Click("Replace")};
  Key(Qt::Key_Return);
  EXPECT_TRUE(answers.AllGiven());
  EXPECT_EQ(Text(1, kName), "S");
  EXPECT_EQ(FocusCell(), (grid::CellId{2, kName}));
}

TEST_F(InPlaceEdit, EscapeClickingElsewhereAndEndEditingEndTheEdit) {
  struct Case {
    const char* how;
    int col;
    std::function<void()> end;
    std::string stored;
    grid::CellId focus;
  };
  const Case cases[] = {
      {"Esc puts the text back", kName, [this] { Key(Qt::Key_Escape); }, "Hleb", {1, kName}},
      {"a click elsewhere stores", kName, [this] { Click(4, kName); }, "7,5", {4, kName}},
      {"EndEditing stores in place",
       kPrice,
       [this] {
         grid.EndEditing();
         grid.EndEditing();  // nothing left to end
       },
       "7.50",
       {1, kPrice}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    table.SetFocusCell(9, kBarcode);  // clicking the focus cell would open an edit
    Put(1, c.col, "Hleb");
    Focus(1, c.col);
    Type("7,5");
    EXPECT_EQ(grid.EditText(), "7,5");
    c.end();
    EXPECT_FALSE(grid.IsEditing());
    EXPECT_TRUE(grid.hasFocus());
    EXPECT_EQ(Text(1, c.col), c.stored);
    EXPECT_EQ(table.GetModified(), c.stored != "Hleb");
    EXPECT_EQ(FocusCell(), c.focus);
  }
}

class ReadOnlySheet : public GridWidgetFixture {
 protected:
  ReadOnlySheet() : GridWidgetFixture(sheets::SheetId::ArticlesReport) {}
};

TEST_F(ReadOnlySheet, RefusesTypingF2DeleteCutAndPasteButCopies) {
  table.SetItemText(1, kName, "Hleb");
  Focus(1, kName);
  Type("x");
  Key(Qt::Key_F2);
  Key(Qt::Key_Backspace);
  Click(1, kName);
  QTest::mouseDClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, Centre(1, kName));
  QTest::mouseRelease(grid.viewport(), Qt::LeftButton, Qt::NoModifier, Centre(1, kName));
  EXPECT_FALSE(grid.IsEditing());

  Key(Qt::Key_Delete);
  Key(Qt::Key_X, Qt::ControlModifier);
  QGuiApplication::clipboard()->setText("Mleko");
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Text(1, kName), "Hleb");

  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "Hleb");
}

}  // namespace
}  // namespace nuvrel::gui::testing
