// SPDX-License-Identifier: MIT
#include "app/format.h"

#include <gtest/gtest.h>

namespace nuvrel::app {
namespace {

TEST(Format, FillsTheStringTablesPlaceholders) {
  EXPECT_EQ(Format(Sid::CannotOpenPort, {3}), "Cannot open COM3 !");
  EXPECT_EQ(Format(Sid::CannotOpenPort, {0}), "Cannot open COM0 !");
  EXPECT_EQ(Format(Sid::ItemsSent, {2400u}), "2400 items successfully sent!");
  EXPECT_EQ(Format(Sid::FileCannotOpen, {"/tmp/a.txt"}),
            "The file \"/tmp/a.txt\" cannot be opened for reading!");
  EXPECT_EQ(Format(Sid::LogoInfo, {224u, 80u, 2u}), "Width: 224    Height: 80    Colors: 2");
}

TEST(Format, WidthAndZeroPadding) {
  EXPECT_EQ(Format("%02d|%06u|%3d", {7, 42u, 5}), "07|000042|  5");
  EXPECT_EQ(Format("%02d", {100}), "100");
  EXPECT_EQ(Format("%03d", {-5}), "-05");
}

TEST(Format, UnsignedOfANegativeIntIsItsThirtyTwoBitForm) {
  EXPECT_EQ(Format("%u", {-1}), "4294967295");
}

TEST(Format, PercentSignsInDataAreNotPlaceholders) {
  // A file name full of % must come out unchanged and must not consume further arguments.
  EXPECT_EQ(Format("%s and %d", {"50%d%s.txt", 9}), "50%d%s.txt and 9");
  EXPECT_EQ(Format("100%% %x %", {}), "100% %x %");
}

TEST(Format, MissingOrMismatchedArgumentsGiveNothingInTheirPlace) {
  EXPECT_EQ(Format("a%sb%dc", {}), "abc");
  EXPECT_EQ(Format("[%d]", {"text"}), "[]");
}

TEST(StringTable, CaptionsAreFoundBySheetIndex) {
  EXPECT_EQ(Text(SheetCaption(2)), "Departments");
  EXPECT_EQ(Text(SheetFileCaption(6)), "Department report (%s)");
  EXPECT_EQ(Text(Sid::CaptionReports), "Reports");
  EXPECT_EQ(Text(static_cast<Sid>(20005)), "");
}

}  // namespace
}  // namespace nuvrel::app
