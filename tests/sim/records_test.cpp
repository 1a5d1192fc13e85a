// SPDX-License-Identifier: MIT
// Record fields decoded into the typed tables: prices, the records refused, and the fields written
// back for the state files.
#include "sim/records.h"

#include <gtest/gtest.h>

#include "sim_test_util.h"

namespace nuvrel::sim {
namespace {

using test::ArticleFields;

std::span<const std::uint8_t> Span(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Decodes and keeps the record; the error when it is refused.
std::string Program(RegisterTables& tables, char letter, const std::string& fields) {
  RecordDecode decoded = DecodeRecord(static_cast<std::uint8_t>(letter), Span(fields), tables);
  if (!decoded.record) return decoded.error.empty() ? "refused" : decoded.error;
  StoreRecord(tables, std::move(*decoded.record));
  return {};
}

TEST(ArticleRecords, PriceIsHundredthsAndTwoOrNineZeros) {
  const std::vector<std::pair<std::string, std::optional<std::uint32_t>>> cases{
      {"000012502", 1250},         {"000000000", 0},
      {"999999992", 99999999},     {"000000002", 0},
      {"000012500", std::nullopt}, {"00001250x", std::nullopt},
      {"0000 1502", std::nullopt}, {"00000000\"", std::nullopt},
  };
  for (const auto& [price, hundredths] : cases) {
    RegisterTables tables;
    const std::string error =
        Program(tables, 'r', ArticleFields("0005", "P", "000000000001", "111", price, "000000000"));
    if (hundredths) {
      EXPECT_EQ(error, "") << price;
      EXPECT_EQ(tables.articles.at(5).priceHundredths, *hundredths) << price;
    } else {
      EXPECT_NE(error, "") << price;
      EXPECT_TRUE(tables.articles.empty()) << price;
    }
  }
}

TEST(ArticleRecords, MalformedArticlesAreRefused) {
  const std::string good =
      ArticleFields("0005", "P", "000000000001", "111", "000000102", "000000000");
  ASSERT_EQ(good.size(), 52u);
  auto with = [&good](std::size_t at, std::string_view bytes) {
    std::string fields = good;
    fields.replace(at, bytes.size(), bytes);
    return fields;
  };
  const std::vector<std::string> bad{
      good.substr(0, 51),
      good + " ",
      with(0, "0000"),
      with(0, "2401"),
      with(0, "\"\"\"\""),
      with(0, " 12 "),
      with(19, "00000000000A"),
      with(31, "A"),
      with(32, "-"),
      with(33, " "),
      with(43, "00000001 "),
      with(19, "0000000\"\"\"\"\""),  // a barcode only partly without value
  };
  for (const std::string& fields : bad) {
    RegisterTables tables;
    EXPECT_NE(Program(tables, 'r', fields), "") << fields;
    EXPECT_TRUE(tables.articles.empty()) << fields;
  }
}

TEST(OtherRecords, MalformedOnesAreRefused) {
  const std::string name12(12, 'N');
  const std::string name15(15, 'N');
  const std::string line18(18, 'L');
  const std::vector<std::pair<char, std::string>> bad{
      {'o', "0" + name12 + "*"},
      {'o', "A" + name12 + "*"},
      {'o', "1" + name12 + "#"},
      {'o', "1" + name12},
      {'o', "1" + name12 + "**"},
      {'y', "0" + name15 + std::string(10, '"')},
      {'y', "11" + name15 + std::string(10, '"')},  // two digits but not 10
      {'y', "09" + name15 + std::string(10, '"')},
      {'y', "1" + name15},
      {'y', "100" + name15 + std::string(10, '"')},
      {'w', "70" + line18 + "*"},
      {'w', "01" + line18 + "*"},
      {'w', "11" + line18 + "*"},
      {'w', "10" + line18 + " "},
      {'u', "00" + line18 + "*"},
      {'u', "10" + line18},
      {'q', "1"},
  };
  for (const auto& [letter, fields] : bad) {
    RegisterTables tables;
    EXPECT_NE(Program(tables, letter, fields), "") << letter << fields;
    EXPECT_TRUE(tables.Empty()) << letter << fields;
  }
}

}  // namespace
}  // namespace nuvrel::sim
