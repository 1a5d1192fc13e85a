// SPDX-License-Identifier: MIT
#include "gui/text_codec.h"

#include <gtest/gtest.h>

namespace nuvrel::gui {
namespace {

TEST(TextCodec, EveryByteRoundTripsButTheOneWithoutACharacterAndCyrillicIsExact) {
  for (int b = 0; b < 256; ++b) {
    if (b == 0x98) continue;
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(ToCp1251(FromCp1251(byte)), byte) << b;
  }
  EXPECT_EQ(FromCp1251("\xC3\xEE\xF2\xEE\xE2\xE8\xED\xE0"), QString::fromUtf8("Готовина"));
  EXPECT_EQ(ToCp1251(QString::fromUtf8("Ђорђе Љ")), "\x80\xEE\xF0\x90\xE5 \x8A");
}

TEST(TextCodec, WhatTheCodePageLacksIsAQuestionMarkOrTheNearestSerbianLatinLetter) {
  EXPECT_EQ(ToCp1251(QString::fromUtf8("ä€ž")), "?\x88?");
  const QString text = QString::fromUtf8("ŠšČčĆćŽžĐđ Ђ ä 😀 šž");
  EXPECT_EQ(MissingFromCp1251(text), QString::fromUtf8("Š š Č č Ć ć Ž ž Đ đ ä 😀").split(' '));
  EXPECT_EQ(ToCp1251Nearest(text), "SsCcCcZzDjdj \x80 ? ? sz");
  EXPECT_TRUE(MissingFromCp1251(QString::fromUtf8("Хлеб €5")).isEmpty());
}

}  // namespace
}  // namespace nuvrel::gui
