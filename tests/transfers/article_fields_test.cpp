// SPDX-License-Identifier: MIT
// The article record's fields: how each cell is encoded for a whole-sheet and for a selection
// upload, and the record as a whole.
#include "transfers/article_fields.h"

#include <gtest/gtest.h>

#include <ostream>
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

struct FieldCase {
  int column;
  std::string text;
  std::string field;
};

void PrintTo(const FieldCase& c, std::ostream* os) {
  *os << "column " << c.column << " \"" << c.text << '"';
}

class ArticleFieldEncoding : public ArticleFields,
                             public ::testing::WithParamInterface<FieldCase> {};

TEST_P(ArticleFieldEncoding, IsTheSameWholeAndSelected) {
  const FieldCase& c = GetParam();
  grid.SetItemText(7, c.column, c.text);
  EXPECT_EQ(Whole(c.column), c.field);
  grid.SelectCell(7, c.column);
  EXPECT_EQ(Selected(c.column), c.field);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, ArticleFieldEncoding,
    ::testing::Values(
        // Names: padded with blanks, then in the register's characters (a = 0x80, n = 0x8D).
        FieldCase{col::kName, "ana", "\x80\x8D\x80" + std::string(12, ' ')},
        FieldCase{col::kName, "MLEKO 1L [X]", "MLEKO 1L \x98X\x9D   "},
        FieldCase{col::kName, std::string(15, 'N'), std::string(15, 'N')},
        FieldCase{col::kBarcode, "123456789012", "123456789012"},
        FieldCase{col::kBarcode, "1234567890123", "123456789012"},
        // Prices to the nearest hundredth: 0.29 and 1.15 lie a hair below in binary and were once
        // sent a cent short.
        FieldCase{col::kPrice, "12.5", "000012502"}, FieldCase{col::kPrice, "0.5", "000000502"},
        FieldCase{col::kPrice, "0.29", "000000292"}, FieldCase{col::kPrice, "1.15", "000001152"},
        FieldCase{col::kPrice, "0", "000000002"}, FieldCase{col::kPrice, "999999.99", "999999992"},
        FieldCase{col::kInStock, "1.5", "000001500"},
        FieldCase{col::kInStock, "0.001", "000000001"},
        FieldCase{col::kInStock, "999999.999", "999999999"},
        // Tax groups: Latin letters, digits and the register's letters at 0xC0.. give 1, 2, 3.
        FieldCase{col::kTaxGroup, "A", "1"}, FieldCase{col::kTaxGroup, "B", "2"},
        FieldCase{col::kTaxGroup, "C", "3"}, FieldCase{col::kTaxGroup, "1", "1"},
        FieldCase{col::kTaxGroup, "\xC0", "1"}, FieldCase{col::kTaxGroup, "\xC1", "2"},
        FieldCase{col::kTaxGroup, "\xC2", "3"},
        // Department and unit go as typed, not translated.
        FieldCase{col::kDepartment, "7", "7"}, FieldCase{col::kUnit, "0", "0"}));

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

TEST_F(ArticleFields, TheRecordHoldsTheNumberAndTheFieldsInFrameOrder) {
  grid.SetItemText(2400, col::kName, "Z");
  grid.SetItemText(2400, col::kBarcode, "000000000042");
  grid.SetItemText(2400, col::kPrice, "1");
  grid.SetItemText(2400, col::kTaxGroup, "B");
  grid.SetItemText(2400, col::kDepartment, "3");
  grid.SetItemText(2400, col::kUnit, "1");
  grid.SetItemText(2400, col::kInStock, "2");
  const std::string fields = ArticleRecordFields(grid, 2400, false);
  EXPECT_EQ(fields,
            "2400Z" + std::string(14, ' ') + "000000000042" + "231" + "000001002" + "000002000");
  // With 0xAA, six digits, the letter, the check pair and LF: the 63-byte frame.
  EXPECT_EQ(fields.size(), 63U - 8 - 3);
}

}  // namespace
}  // namespace nuvrel::transfers
