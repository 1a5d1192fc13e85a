// SPDX-License-Identifier: MIT
// The article record's fields: how each cell is encoded for a whole-sheet and for a selection
// upload, and the record as a whole.
#include "transfers/article_fields.h"

#include <gtest/gtest.h>

#include <string>

#include "sheets/layouts.h"

namespace nuvrel::transfers {
namespace {

namespace col = sheets::articles;

int WidthOf(int column) {
  for (const ArticleField& field : kArticleFields) {
    if (field.column == column) return field.width;
  }
  return 0;
}

class ArticleFields : public ::testing::Test {
 protected:
  ArticleFields() : grid(nullptr) { sheets::SetupArticlesSheet(grid); }

  std::string Whole(int column) { return FormatArticleField(grid, 7, column, WidthOf(column)); }
  std::string Selected(int column) {
    return FormatSelectedArticleField(grid, 7, column, WidthOf(column));
  }

  grid::CellTable grid;
};

TEST_F(ArticleFields, EachCellIsEncodedTheSameWholeAndSelected) {
  const struct {
    int column;
    std::string text;
    std::string field;
  } cases[] = {
      // Names: padded with blanks, then in the register's characters (a = 0x80, n = 0x8D).
      {col::kName, "ana", "\x80\x8D\x80" + std::string(12, ' ')},
      {col::kName, "MLEKO 1L [X]", "MLEKO 1L \x98X\x9D   "},
      {col::kName, std::string(15, 'N'), std::string(15, 'N')},
      {col::kBarcode, "123456789012", "123456789012"},
      {col::kBarcode, "1234567890123", "123456789012"},
      // Prices to the nearest hundredth: 0.29 and 1.15 lie a hair below in binary and were once
      // sent a cent short.
      {col::kPrice, "12.5", "000012502"},
      {col::kPrice, "0.5", "000000502"},
      {col::kPrice, "0.29", "000000292"},
      {col::kPrice, "1.15", "000001152"},
      {col::kPrice, "0", "000000002"},
      {col::kPrice, "999999.99", "999999992"},
      {col::kInStock, "1.5", "000001500"},
      {col::kInStock, "0.001", "000000001"},
      {col::kInStock, "999999.999", "999999999"},
      // Tax groups: Latin letters, digits and the register's letters at 0xC0.. give 1, 2, 3.
      {col::kTaxGroup, "A", "1"},
      {col::kTaxGroup, "B", "2"},
      {col::kTaxGroup, "C", "3"},
      {col::kTaxGroup, "1", "1"},
      {col::kTaxGroup, "\xC0", "1"},
      {col::kTaxGroup, "\xC1", "2"},
      {col::kTaxGroup, "\xC2", "3"},
      // Department and unit go as typed, not translated.
      {col::kDepartment, "7", "7"},
      {col::kUnit, "0", "0"}};
  for (const auto& c : cases) {
    grid.SetItemText(7, c.column, c.text);
    EXPECT_EQ(Whole(c.column), c.field) << c.text;
    grid.SelectCell(7, c.column);
    EXPECT_EQ(Selected(c.column), c.field) << c.text;
  }
}

TEST_F(ArticleFields, ASelectionSendsOnlyItsCellsAndClearsTheEmptyOnes) {
  grid.SetItemText(7, col::kName, "keep");
  grid.SetItemText(7, col::kPrice, "3");
  for (const ArticleField& field : kArticleFields) {
    EXPECT_EQ(Selected(field.column), std::string(static_cast<std::size_t>(field.width), '"'))
        << "column " << field.column;
  }

  grid.SetItemText(7, col::kName, "");
  grid.SetItemText(7, col::kPrice, "");
  grid.SelectRange({7, col::kName, 7, col::kInStock});
  EXPECT_EQ(Selected(col::kName), std::string(15, ' '));
  EXPECT_EQ(Selected(col::kBarcode), std::string(12, '0'));
  // An emptied price is nine zeros, without the decimals mark.
  EXPECT_EQ(Selected(col::kPrice), "000000000");
  EXPECT_EQ(Selected(col::kTaxGroup), "2");
  EXPECT_EQ(Selected(col::kDepartment), "0");
  EXPECT_EQ(Selected(col::kUnit), "0");
  EXPECT_EQ(Selected(col::kInStock), "000000000");
}

TEST_F(ArticleFields, TextsTheChecksWouldRefuseStillFitTheirField) {
  grid.SetItemText(7, col::kName, std::string(20, 'x'));
  grid.SetItemText(7, col::kPrice, "-4");
  grid.SetItemText(7, col::kInStock, "1e30");
  EXPECT_EQ(Whole(col::kName), std::string(15, '\x99'));
  EXPECT_EQ(Whole(col::kPrice), "000000002");
  EXPECT_EQ(Whole(col::kInStock), "999999999");
  EXPECT_EQ(FormatArticleField(grid, 7, col::kName, 0), "");
}

}  // namespace
}  // namespace nuvrel::transfers
