// SPDX-License-Identifier: MIT
// The grid and the system clipboard: copy, cut and paste through QClipboard, Windows-1251 cells
// on one side and Unicode on the other.
#include <QClipboard>

#include "grid_widget_fixture.h"
#include "gui/text_codec.h"
#include "modal_answers.h"

namespace nuvrel::gui::testing {
namespace {

using sheets::articles::kBarcode;
using sheets::articles::kName;
using sheets::articles::kPrice;

using GridClipboard = GridWidgetFixture;
using test::ModalAnswers;

QClipboard& Clipboard() {
  return *QGuiApplication::clipboard();
}

TEST_F(GridClipboard, CyrillicTextSurvivesACopyAndAPaste) {
  const std::string bread = ToCp1251(QString::fromUtf8("Хлеб бели 500г"));
  table.SetItemText(1, kName, bread);
  table.SetItemText(1, kPrice, "65.00");
  Click(1, kName);
  Click(1, kPrice, Qt::ShiftModifier);
  Key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Clipboard().text(), QString::fromUtf8("Хлеб бели 500г\t\t65.00"));

  Click(5, kName);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Text(5, kName), bread);
  EXPECT_EQ(Text(5, kBarcode), "");
  EXPECT_EQ(Text(5, kPrice), "65.00");
  EXPECT_EQ(table.GetSelectedBoundingRange(), (grid::CellRange{5, kName, 5, kPrice}));
}

TEST_F(GridClipboard, APasteWithLettersASheetCannotHoldWaitsForThePerson) {
  Clipboard().setText(QString::fromUtf8("Đak\t\t5"));
  Focus(2, kName);
  {
    ModalAnswers answers{ModalAnswers::Click("Cancel")};
    Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(answers.AllGiven());
  }
  EXPECT_EQ(Text(2, kName), "");
  EXPECT_EQ(Text(2, kPrice), "");

  ModalAnswers answers{ModalAnswers::Click("Replace")};
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Text(2, kName), "Djak");
  EXPECT_EQ(Text(2, kPrice), "5.00");
}

TEST_F(GridClipboard, PastedTextGoesThroughTheCellsRules) {
  Clipboard().setText("Mleko\t12\t99.5\r\nSir\tx\t7");
  Focus(2, kName);
  Key(Qt::Key_Insert, Qt::ShiftModifier);
  EXPECT_EQ(Text(2, kBarcode), "000000000012");
  EXPECT_EQ(Text(2, kPrice), "99.50");
  EXPECT_EQ(Text(3, kName), "Sir");
  EXPECT_EQ(Text(3, kBarcode), "");  // a barcode of letters is no barcode
  EXPECT_EQ(Text(3, kPrice), "7.00");
}

TEST_F(GridClipboard, CutCopiesThenEmptiesAndCopyWithNothingSelectedLeavesTheClipboardAlone) {
  table.SetItemText(2, kName, "Jaja");
  Focus(2, kName);
  Key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Clipboard().text(), "Jaja");
  EXPECT_EQ(Text(2, kName), "");
  Clipboard().setText("keep");
  table.ClearSelection();
  grid.OnEditCopy();
  EXPECT_EQ(Clipboard().text(), "keep");
}

TEST_F(GridClipboard, APasteIntoTheCellBeingEditedGoesIntoTheEditOnly) {
  Clipboard().setText("12");
  Focus(1, kName);
  Type("ab");
  grid.OnEditPaste();
  ASSERT_TRUE(grid.IsEditing());
  EXPECT_EQ(grid.EditText(), "ab12");
  EXPECT_EQ(Text(1, kName), "");
}

}  // namespace
}  // namespace nuvrel::gui::testing
