// SPDX-License-Identifier: MIT
// The records of operators, departments, firm data and advertisement lines.
#include "transfers/text_records.h"

#include <gtest/gtest.h>

namespace nuvrel::transfers {
namespace {

std::string Blanks(std::size_t n) {
  return std::string(n, ' ');
}

TEST(TextRecords, AreNumberTextAndTailInTheRegistersCharacters) {
  EXPECT_EQ(TextRecordFields(kOperatorRecord, 1, "ana"), "1\x80\x8D\x80" + Blanks(9) + "*");
  EXPECT_EQ(TextRecordFields(kDepartmentRecord, 4, "MEAT"),
            "4MEAT" + Blanks(11) + "\"\"\"\"\"\"\"\"\"\"");
  EXPECT_EQ(TextRecordFields(kFirmDataRecord, 6, "Shop"), "60S\x95\x8E\x8F" + Blanks(14) + "*");
  EXPECT_EQ(TextRecordFields(kAdvertisementRecord, 3, "sale"),
            "30\x91\x80\x8B\x85" + Blanks(14) + "*");
}

TEST(TextRecords, DepartmentsTakeTwoDigitsOnlyForTen) {
  // With 0xAA, six digits and the letter before and the check pair and LF after: 37 and 38 bytes.
  EXPECT_EQ(TextRecordFields(kDepartmentRecord, 9, "X").size(), 37U - 11);
  EXPECT_EQ(TextRecordFields(kDepartmentRecord, 10, "X").substr(0, 3), "10X");
}

TEST(TextRecords, KeepTheirWidthWhateverTheText) {
  EXPECT_EQ(RegisterText("", 12), Blanks(12));
  EXPECT_EQ(RegisterText("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 18), "ABCDEFGHIJKLMNOPQR");
  // Characters the register lacks become blanks, so the length never changes.
  EXPECT_EQ(RegisterText("A\xE9\tB", 5), "A  B ");
}

}  // namespace
}  // namespace nuvrel::transfers
