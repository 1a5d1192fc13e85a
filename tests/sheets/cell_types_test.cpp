// SPDX-License-Identifier: MIT
#include "sheets/cell_types.h"

#include <gtest/gtest.h>

#include "sheets/decimal_text.h"

namespace nuvrel::sheets {
namespace {

template <class Cell>
std::string Stored(std::string_view text) {
  Cell cell;
  cell.SetText(text);
  return cell.GetText();
}

struct Rule {
  std::string_view in;
  std::string_view out;
};

TEST(CellRules, Barcode) {
  const Rule rules[] = {
      {"123", "000000000123"},
      {"0", "000000000000"},
      {"000000000123", "000000000123"},
      {"1234567890123", "1234567890123"},  // longer ones keep every digit
      {"12345678901234567890", "12345678901234567890"},
      {"00012345678901234567890", "12345678901234567890"},
      {"12a", ""},
      {" 123", ""},
      {"-1", ""},
      {"1.5", ""},
      {"1,5", ""},
      {"", ""},
  };
  for (const Rule& r : rules) EXPECT_EQ(Stored<BarcodeCell>(r.in), r.out) << r.in;
}

TEST(CellRules, OneCharacterAndOneDigit) {
  EXPECT_EQ(Stored<OneCharCell>("B"), "B");
  EXPECT_EQ(Stored<OneCharCell>("\xC1"), "\xC1");  // any byte
  EXPECT_EQ(Stored<OneCharCell>("BC"), "");
  EXPECT_EQ(Stored<OneCharCell>(""), "");
  EXPECT_EQ(Stored<OneDigitCell>("7"), "7");
  EXPECT_EQ(Stored<OneDigitCell>("12"), "");
  EXPECT_EQ(Stored<OneDigitCell>(" "), "");
  EXPECT_EQ(Stored<OneDigitCell>("-"), "");
  EXPECT_EQ(Stored<OneDigitCell>("a"), "");
}

TEST(CellRules, Price) {
  const Rule rules[] =
      {
          {"12,5", "12.50"}, {"5", "5.00"},      {" 5", "5.00"},  {"5 ", "5 "},
          {"-3", "-3"},      {"0.004", "0.00"},  {"-0", "-0.00"}, {"1e3", "1000.00"},
          {"1.005", "1.00"},  // the binary value of 1.005 lies below it
          {"abc", "abc"},    {"1,2kg", "1.2kg"}, {"+7", "7.00"},  {".5", "0.50"},
          {"5.", "5.00"},    {"inf", "inf"},     {"nan", "nan"},  {"0x10", "0x10"},
          {"1e", "1e"},      {"", ""},           {"  ", "  "},
      };
  for (const Rule& r : rules) EXPECT_EQ(Stored<PriceCell>(r.in), r.out) << r.in;
}

TEST(CellRules, Quantity) {
  EXPECT_EQ(Stored<QuantityCell>("2"), "2.000");
  EXPECT_EQ(Stored<QuantityCell>("1e3"), "1000.000");
  EXPECT_EQ(Stored<QuantityCell>("1,2kg"), "1.2kg");
  EXPECT_EQ(Stored<QuantityCell>("1,5"), "1.500");
}

TEST(CellRules, CheckHoldsAStateNotAText) {
  CheckBoxCell cell;
  cell.SetText("yes");
  EXPECT_TRUE(cell.IsChecked());
  EXPECT_EQ(cell.GetText(), "1");
  EXPECT_EQ(cell.DisplayText(), "");
  cell.SetText("0");
  EXPECT_FALSE(cell.IsChecked());
  cell.SetText("");
  EXPECT_EQ(cell.GetText(), "0");
  EXPECT_TRUE(cell.OnClick(5, 5, 3));
  EXPECT_TRUE(cell.IsChecked());
  EXPECT_FALSE(cell.OnClick(40, 5, 3));
  EXPECT_TRUE(cell.IsChecked());
}

TEST(DecimalText, ReadsLikeTheClassicConversion) {
  EXPECT_EQ(ParseDecimal("  -1.5e2x").value, -150.0);
  EXPECT_EQ(ParseDecimal("  -1.5e2x").consumed, 8u);
  EXPECT_EQ(ParseDecimal("e5").consumed, 0u);
  EXPECT_EQ(ParseDecimal(".").consumed, 0u);
  EXPECT_EQ(ParseDecimal("1e+").consumed, 1u);
  EXPECT_EQ(*WholeDecimal("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(*WholeDecimal("1e-400"), 0.0);
  EXPECT_FALSE(WholeDecimal(""));
  EXPECT_FALSE(WholeDecimal("1 "));
}

TEST(DecimalText, FixedDecimalsOfHugeValuesFit) {
  EXPECT_EQ(FixedDecimals(1e300, 2).size(), 304u);
  EXPECT_EQ(FixedDecimals(2.5, 0), "2");
}

}  // namespace
}  // namespace nuvrel::sheets
