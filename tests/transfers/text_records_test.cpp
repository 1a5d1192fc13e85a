// SPDX-License-Identifier: MIT
// The records of operators, departments, firm data and advertisement lines.
#include "transfers/text_records.h"

#include <gtest/gtest.h>

namespace nuvrel::transfers {
namespace {

std::string Blanks(std::size_t n) {
  return std::string(n, ' ');
}

TEST(TextRecords, KeepTheirWidthWhateverTheText) {
  EXPECT_EQ(RegisterText("", 12), Blanks(12));
  EXPECT_EQ(RegisterText("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 18), "ABCDEFGHIJKLMNOPQR");
  // Characters the register lacks become blanks, so the length never changes.
  EXPECT_EQ(RegisterText("A\xE9\tB", 5), "A  B ");
}

}  // namespace
}  // namespace nuvrel::transfers
