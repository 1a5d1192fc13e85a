// SPDX-License-Identifier: MIT
#include "transfers/validation.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "app/format.h"
#include "app/strings.h"
#include "sheets/layouts.h"
#include "support/recording_ui.h"

namespace nuvrel::transfers {
namespace {

using app::CellProblem;
using app::Severity;
using app::Sid;
using sheets::SheetId;
namespace col = sheets::articles;

CellProblem Error(int row, int column, Sid message) {
  return {row, column, std::string(app::Text(message)), Severity::Error};
}
CellProblem Blanks(int row, int column, const std::string& characters) {
  return {row, column, app::Format(Sid::UnprintableCharacters, {characters}), Severity::Warning};
}

struct Cell {
  int row;
  int col;
  std::string text;
};

class Validation : public ::testing::Test {
 protected:
  // A new sheet of this kind holding these cells; the checks below look at the latest one.
  grid::CellTable& Sheet(SheetId id, const std::vector<Cell>& cells = {}) {
    m_grid = std::make_unique<grid::CellTable>();
    sheets::SetupSheet(id, *m_grid);
    for (const Cell& c : cells) m_grid->SetItemText(c.row, c.col, c.text);
    return *m_grid;
  }

  test::RecordingUi ui;

 private:
  std::unique_ptr<grid::CellTable> m_grid;
};

const std::string k16(16, 'n');
const std::string k19(19, 'l');

TEST_F(Validation, EveryProblemIsListedInRowThenColumnOrder) {
  const struct {
    const char* name;
    SheetId sheet;
    std::vector<Cell> cells;
    std::vector<CellProblem> problems;
  } cases[] = {
      {"ArticlesByRowNotByKind",
       SheetId::Articles,
       {{9, col::kName, k16},
        {2, col::kPrice, "12a"},
        {1, col::kInStock, "-1"},
        {2, col::kName, "Hleb"},
        {9, col::kInStock, "1000000"},
        {2400, col::kPrice, "-5"}},
       {Error(1, col::kInStock, Sid::QuantityNegative), Error(2, col::kPrice, Sid::PriceTooBig),
        Error(9, col::kName, Sid::NameTooLong), Error(9, col::kInStock, Sid::QuantityTooBig),
        Error(2400, col::kPrice, Sid::PriceNegative)}},
      {"ErrorAndWarningInOneCell",
       SheetId::Articles,
       {{3, col::kName, "\xD5\xEB\xE5\xE1 " + k16}},
       {Error(3, col::kName, Sid::NameTooLong),
        Blanks(3, col::kName, "\"Х\", \"л\", \"е\", \"б\"")}},
      {"OperatorsUpToTheNinthRow",
       SheetId::Operators,
       {{2, 1, "Ana_Maria"}, {5, 1, std::string(13, 'o')}, {9, 1, std::string(13, 'o')}},
       {Blanks(2, 1, "\"_\""), Error(5, 1, Sid::OperatorNameTooLong),
        Error(9, 1, Sid::OperatorNameTooLong)}},
      {"DepartmentsUpToTheTenthRow",
       SheetId::Departments,
       {{1, 1, k16}, {10, 1, k16}},
       {Error(1, 1, Sid::NameTooLong), Error(10, 1, Sid::NameTooLong)}},
      {"FirmDataLines",
       SheetId::FirmData,
       {{1, 1, k19}, {4, 1, "PIB^123\t"}, {6, 1, k19}},
       {Error(1, 1, Sid::LineTooLong), Blanks(4, 1, "\"^\", 0x09"), Error(6, 1, Sid::LineTooLong)}},
      {"AdvertisementLines",
       SheetId::Advertisement,
       {{1, 1, std::string(18, 'l')}, {9, 1, k19}},
       {Error(9, 1, Sid::LineTooLong)}},
      {"ReportSheetsHaveNothingToCheck",
       SheetId::ArticlesReport,
       {{1, 1, std::string(40, 'r')}},
       {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CheckSheet(c.sheet, Sheet(c.sheet, c.cells)), c.problems) << c.name;
}

TEST_F(Validation, ArticleAmountsAreCheckedForNumberSignAndRange) {
  const struct {
    int column;
    const char* text;
    std::optional<Sid> message;
  } cases[] = {{col::kPrice, "999999.99", std::nullopt},
               {col::kPrice, "0", std::nullopt},
               {col::kPrice, "1000000", Sid::PriceTooBig},
               {col::kPrice, "1e300", Sid::PriceTooBig},
               {col::kPrice, "12a", Sid::PriceTooBig},
               {col::kPrice, "-1", Sid::PriceNegative},
               {col::kInStock, "999999.999", std::nullopt},
               {col::kInStock, "1000000", Sid::QuantityTooBig},
               {col::kInStock, "1000000000", Sid::QuantityTooBig},
               {col::kInStock, "abc", Sid::QuantityNotNumber},
               {col::kInStock, "-1", Sid::QuantityNegative},
               {col::kInStock, "-0.001", Sid::QuantityNegative}};
  for (const auto& c : cases) {
    const auto problems =
        CheckSheet(SheetId::Articles, Sheet(SheetId::Articles, {{7, c.column, c.text}}));
    EXPECT_EQ(problems, c.message ? std::vector<CellProblem>{Error(7, c.column, *c.message)}
                                  : std::vector<CellProblem>{})
        << c.text;
  }
}

TEST_F(Validation, OnlyCharactersWithoutARegisterCharacterAreNamed) {
  // Lowercase letters, brackets and the tilde stand for the register's own characters; blanks
  // stay blanks. Barcodes, departments and units are not translated, so they are not looked at.
  grid::CellTable& t = Sheet(SheetId::Articles, {{1, col::kName, "Mleko [1l] ~a-z"},
                                                 {2, col::kName,
                                                  "No\xA0"
                                                  "break"},
                                                 {3, col::kDepartment, "\xC1"},
                                                 {4, col::kName, "\x98\xC1\x7F\xC1"}});
  EXPECT_EQ(CheckSheet(SheetId::Articles, t),
            std::vector<CellProblem>{Blanks(4, col::kName, "0x98, \"Б\", 0x7F")});
}

TEST_F(Validation, TheSelectionChecksOnlyItsCellsWithItsOwnMessages) {
  grid::CellTable& t =
      Sheet(SheetId::Operators,
            {{1, 1, std::string(13, 'o')}, {3, 1, std::string(13, 'o')}, {4, 1, "\xC0na"}});
  t.SetSelectedCells({{3, 1}, {4, 1}});
  EXPECT_EQ(CheckSelection(SheetId::Operators, t),
            (std::vector<CellProblem>{Error(3, 1, Sid::NameTooLong), Blanks(4, 1, "\"А\"")}));
  EXPECT_TRUE(CheckSelection(SheetId::DepartmentReport, t).empty());
}

TEST_F(Validation, AnErrorStopsWithOneListAndNoQuestion) {
  grid::CellTable& t = Sheet(SheetId::Articles, {{2, col::kName, k16}, {5, col::kPrice, "x"}});
  t.SetSelectedCells({{2, col::kName}, {2, col::kBarcode}, {5, col::kPrice}});
  ui.goOnPastWarnings = true;
  ui.answers = {true};
  EXPECT_FALSE(ValidateSelection(SheetId::Articles, t, ui));
  EXPECT_EQ(ui.problems,
            (std::vector<std::vector<CellProblem>>{{Error(2, col::kName, Sid::NameTooLong),
                                                    Error(5, col::kPrice, Sid::PriceTooBig)}}));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(ui.questions.empty());
  // The check moves nothing itself; the Ui shows the cells.
  EXPECT_FALSE(t.GetFocusCell().IsValid());
}

}  // namespace
}  // namespace nuvrel::transfers
