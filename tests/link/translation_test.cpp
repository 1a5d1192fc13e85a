// SPDX-License-Identifier: MIT
#include "link/translation.h"

#include <gtest/gtest.h>

namespace nuvrel::link {
namespace {

std::string S(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

TEST(Translation, EachDirectionMapsItsCharactersAndBlanksWhatItDoesNotList) {
  const struct {
    std::string text;
    bool toRegister;
    std::string translated;
  } cases[] = {
      {"abc>", true, S({0x80, 0x81, 0x96, 0x7C})},
      {"SALE 12.50 *!", true, "SALE 12.50 *!"},  // upper case, digits and punctuation pass
      {S({0xE0, 0x09, '^', '_', 0x7F, 0xFF}), true, "      "},
      {S({'a', 0x00, 'a'}), true, S({0x80, 0x00, 'a'})},  // stops at an embedded NUL
      // Both codes of '>' read as '>'.
      {S({0x80, 0x7C, 0x3E}), false, "a>>"},
      {S({0x20, 0x5B, 0x61, 0x7A, 0x9E, 0xFF}), false, "      "},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    TranslateText(text, c.toRegister);
    EXPECT_EQ(text, c.translated) << c.text;
  }
}

TEST(Translation, EveryPcCharacterThatReachesTheRegisterComesBack) {
  const TranslationTables t = BuildTranslationTables();
  for (int c = 0; c < 256; ++c) {
    EXPECT_NE(t.toRegister[c], 0) << c;
    EXPECT_NE(t.toPc[c], 0) << c;
    if (t.toRegister[c] != 0x20) {
      EXPECT_EQ(t.toPc[t.toRegister[c]], c) << c;
    }
  }
}

}  // namespace
}  // namespace nuvrel::link
