// SPDX-License-Identifier: MIT
#include "transfers/validation.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "app/strings.h"
#include "sheets/layouts.h"
#include "support/recording_ui.h"

namespace nuvrel::transfers {
namespace {

using app::Sid;
using sheets::SheetId;
namespace col = sheets::articles;
using Cell = std::pair<int, int>;

class Validation : public ::testing::Test {
 protected:
  // A new sheet of this kind; the checks below look at the latest one.
  grid::CellTable& Sheet(SheetId id) {
    m_grid = std::make_unique<grid::CellTable>();
    sheets::SetupSheet(id, *m_grid);
    return *m_grid;
  }

  // The check refused exactly one cell with this message and moved the person there.
  void ExpectRefused(bool result, Sid message, Cell cell) {
    EXPECT_FALSE(result);
    ASSERT_EQ(ui.messages.size(), 1U);
    EXPECT_EQ(ui.messages[0].text, app::Text(message));
    EXPECT_EQ(ui.messages[0].icon, app::Icon::Error);
    EXPECT_EQ(Cell(m_grid->GetFocusCell().row, m_grid->GetFocusCell().col), cell);
    EXPECT_EQ(ui.shown, std::vector<Cell>{cell});
    EXPECT_EQ(ui.gridFocuses, 1);
    EXPECT_TRUE(ui.questions.empty());
  }
  void ExpectPassed(bool result) {
    EXPECT_TRUE(result);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(m_grid->GetFocusCell().IsValid());
  }

  test::RecordingUi ui;

 private:
  std::unique_ptr<grid::CellTable> m_grid;
};

TEST_F(Validation, ArticlesCheckEveryNameBeforeAnyPriceAndEveryPriceBeforeAnyStock) {
  grid::CellTable& t = Sheet(SheetId::Articles);
  t.SetItemText(1, col::kInStock, "-1");
  t.SetItemText(2, col::kPrice, "12a");
  t.SetItemText(9, col::kName, std::string(16, 'n'));
  ExpectRefused(ValidateArticles(ui, t), Sid::NameTooLong, {9, col::kName});

  t.SetItemText(9, col::kName, std::string(15, 'n'));
  ui = {};
  ExpectRefused(ValidateArticles(ui, t), Sid::PriceTooBig, {2, col::kPrice});

  t.SetItemText(2, col::kPrice, "");
  ui = {};
  ExpectRefused(ValidateSheet(SheetId::Articles, t, ui), Sid::QuantityNegative, {1, col::kInStock});
}

TEST_F(Validation, ArticlesReachTheLastRow) {
  grid::CellTable& t = Sheet(SheetId::Articles);
  t.SetItemText(2400, col::kName, std::string(20, 'n'));
  ExpectRefused(ValidateArticles(ui, t), Sid::NameTooLong, {2400, col::kName});
}

struct AmountCase {
  int column;
  const char* text;
  std::optional<Sid> message;
};

class ArticleAmounts : public Validation, public ::testing::WithParamInterface<AmountCase> {};

TEST_P(ArticleAmounts, AreCheckedForNumberSignAndRange) {
  const AmountCase& c = GetParam();
  grid::CellTable& t = Sheet(SheetId::Articles);
  t.SetItemText(7, c.column, c.text);
  if (c.message) {
    ExpectRefused(ValidateArticles(ui, t), *c.message, {7, c.column});
  } else {
    ExpectPassed(ValidateArticles(ui, t));
  }
}

INSTANTIATE_TEST_SUITE_P(
    PriceAndStock, ArticleAmounts,
    ::testing::Values(AmountCase{col::kPrice, "999999.99", std::nullopt},
                      AmountCase{col::kPrice, "0", std::nullopt},
                      AmountCase{col::kPrice, "1000000", Sid::PriceTooBig},
                      AmountCase{col::kPrice, "1e300", Sid::PriceTooBig},
                      AmountCase{col::kPrice, "12a", Sid::PriceTooBig},
                      AmountCase{col::kPrice, "-1", Sid::PriceNegative},
                      AmountCase{col::kInStock, "999999.999", std::nullopt},
                      AmountCase{col::kInStock, "1000000", Sid::QuantityTooBig},
                      AmountCase{col::kInStock, "1000000000", Sid::QuantityTooBig},
                      AmountCase{col::kInStock, "abc", Sid::QuantityNotNumber},
                      AmountCase{col::kInStock, "-1", Sid::QuantityNegative},
                      AmountCase{col::kInStock, "-0.001", Sid::QuantityNegative}));

TEST_F(Validation, SelectedArticlesIgnoreUnselectedCellsAndCheckInCellOrder) {
  grid::CellTable& t = Sheet(SheetId::Articles);
  t.SetItemText(1, col::kName, std::string(20, 'n'));
  t.SetItemText(3, col::kInStock, "abc");
  t.SetItemText(5, col::kName, std::string(20, 'n'));
  t.SetItemText(5, col::kPrice, "1");
  t.SetSelectedCells({{3, col::kInStock}, {5, col::kName}, {5, col::kPrice}});
  // Unlike the whole sheet, the selection is checked cell by cell: the stock in row 3 comes first.
  ExpectRefused(ValidateSelectedArticles(ui, t), Sid::QuantityNotNumber, {3, col::kInStock});

  t.SetItemText(3, col::kInStock, "2");
  t.SetItemText(5, col::kName, "ok");
  ui = {};
  EXPECT_TRUE(ValidateSelectedArticles(ui, t));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(ui.questions.empty());
}

TEST_F(Validation, EmptySelectedCellsNeedAYesWithNoAsDefault) {
  grid::CellTable& t = Sheet(SheetId::Articles);
  t.SetItemText(2, col::kName, "Milk");
  t.SetSelectedCells({{2, col::kName}, {2, col::kBarcode}});

  ui.answers = {true};
  EXPECT_TRUE(ValidateSelection(SheetId::Articles, t, ui));
  ASSERT_EQ(ui.questions.size(), 1U);
  EXPECT_EQ(ui.questions[0].text, app::Text(Sid::EmptySelectedCells));
  EXPECT_EQ(ui.questions[0].icon, app::Icon::Question);
  EXPECT_TRUE(ui.questions[0].noIsDefault);

  EXPECT_FALSE(ValidateSelection(SheetId::Articles, t, ui));
  EXPECT_EQ(ui.questions.size(), 2U);

  // An offending cell stops before the question is asked.
  t.SetItemText(2, col::kName, std::string(16, 'n'));
  ui = {};
  ExpectRefused(ValidateSelectedArticles(ui, t), Sid::NameTooLong, {2, col::kName});
}

TEST_F(Validation, OperatorNamesSayDifferentThingsForSheetAndSelection) {
  grid::CellTable& t = Sheet(SheetId::Operators);
  t.SetItemText(9, 1, std::string(12, 'o'));
  ExpectPassed(ValidateSheet(SheetId::Operators, t, ui));

  t.SetItemText(9, 1, std::string(13, 'o'));
  ExpectRefused(ValidateSheet(SheetId::Operators, t, ui), Sid::OperatorNameTooLong, {9, 1});

  ui = {};
  t.SetFocusCell(-1, -1);
  t.SetSelectedCells({{9, 1}});
  ExpectRefused(ValidateSelection(SheetId::Operators, t, ui), Sid::NameTooLong, {9, 1});
}

TEST_F(Validation, DepartmentNamesUpToTheTenthRow) {
  grid::CellTable& t = Sheet(SheetId::Departments);
  t.SetItemText(10, 1, std::string(16, 'd'));
  ExpectRefused(ValidateSheet(SheetId::Departments, t, ui), Sid::NameTooLong, {10, 1});

  ui = {};
  t.SetItemText(10, 1, std::string(15, 'd'));
  t.SetSelectedCells({{9, 1}, {10, 1}});
  EXPECT_FALSE(ValidateSelection(SheetId::Departments, t, ui));  // row 9 is empty; No by default
  EXPECT_EQ(ui.questions.size(), 1U);
}

TEST_F(Validation, FirmDataAndAdvertisementLinesHoldEighteenBytes) {
  for (SheetId id : {SheetId::FirmData, SheetId::Advertisement}) {
    SCOPED_TRACE(static_cast<int>(id));
    grid::CellTable& t = Sheet(id);
    const int last = t.GetRowCount() - 1;
    ui = {};
    t.SetItemText(last, 1, std::string(18, 'f'));
    ExpectPassed(ValidateSheet(id, t, ui));

    t.SetItemText(last, 1, std::string(19, 'f'));
    ExpectRefused(ValidateSheet(id, t, ui), Sid::LineTooLong, {last, 1});

    ui = {};
    t.SetFocusCell(-1, -1);
    t.SetSelectedCells({{last, 1}});
    ExpectRefused(ValidateSelection(id, t, ui), Sid::NameTooLong, {last, 1});
  }
}

TEST_F(Validation, ReportSheetsHaveNothingToCheck) {
  for (SheetId id : {SheetId::ArticlesReport, SheetId::DepartmentReport}) {
    grid::CellTable& t = Sheet(id);
    t.SetItemText(1, 1, std::string(40, 'r'));
    t.SetSelectedCells({{1, 1}, {2, 1}});
    EXPECT_TRUE(ValidateSheet(id, t, ui));
    EXPECT_TRUE(ValidateSelection(id, t, ui));
  }
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(ui.questions.empty());
}

}  // namespace
}  // namespace nuvrel::transfers
