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

TEST(Translation, LowercaseAndGreaterThanTowardsTheRegister) {
  std::string text = "abc>";
  TranslateText(text, true);
  EXPECT_EQ(text, S({0x80, 0x81, 0x96, 0x7C}));
}

TEST(Translation, BackTowardsThePcBothGreaterThanCodesReadAsGreaterThan) {
  std::string text = S({0x80, 0x7C, 0x3E});
  TranslateText(text, false);
  EXPECT_EQ(text, "a>>");
}

TEST(Translation, WhatTheTablesDoNotListBecomesABlank) {
  std::string pc = S({0xE0, 0x09, '^', '_', 0x7F, 0xFF});
  TranslateText(pc, true);
  EXPECT_EQ(pc, "      ");
  std::string reg = S({0x20, 0x5B, 0x61, 0x7A, 0x9E, 0xFF});
  TranslateText(reg, false);
  EXPECT_EQ(reg, "      ");
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

TEST(Translation, UppercaseDigitsAndPunctuationPassUnchanged) {
  std::string text = "SALE 12.50 *!";
  TranslateText(text, true);
  EXPECT_EQ(text, "SALE 12.50 *!");
}

TEST(Translation, StopsAtAnEmbeddedNul) {
  std::string text = S({'a', 0x00, 'a'});
  TranslateText(text, true);
  EXPECT_EQ(text, S({0x80, 0x00, 'a'}));
}

}  // namespace
}  // namespace nuvrel::link
