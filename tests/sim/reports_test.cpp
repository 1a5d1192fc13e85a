// SPDX-License-Identifier: MIT
// The report commands: the figures' widths and arithmetic, and the daily exchange's lines, all
// from what was programmed.
#include "sim/reports.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "sim_test_util.h"

namespace nuvrel::sim {
namespace {

using test::kDevice;
using test::PcPayload;
using test::SentBlocks;
namespace line = link::article_line;

bool TrailerRight(const link::Bytes& l) {
  return l.size() >= 4 &&
         link::CheckPairMatches(std::span(l).first(l.size() - 4), l[l.size() - 4],
                                l[l.size() - 3]) &&
         l[l.size() - 2] == '\r' && l[l.size() - 1] == '\n';
}

// The blocks of the reply to a command, the acknowledgement checked and left out.
std::vector<link::Bytes> ReportOf(Register& reg, char command) {
  std::vector<link::Bytes> blocks = SentBlocks(reg.Feed(link::CommandFrame(kDevice, command)));
  EXPECT_FALSE(blocks.empty());
  if (blocks.empty()) return blocks;
  EXPECT_EQ(blocks.front(), link::AckFrame(kDevice));
  blocks.erase(blocks.begin());
  for (const link::Bytes& l : blocks) {
    EXPECT_EQ(l[0], link::kStartByte);
    EXPECT_EQ(std::string(l.begin() + 1, l.begin() + 7), "123456");
    EXPECT_TRUE(TrailerRight(l));
    EXPECT_EQ(std::count(l.begin(), l.end(), link::kLineFeed), 1);
  }
  return blocks;
}

void Program(Register& reg, const link::Bytes& frame) {
  ASSERT_EQ(test::SentBytes(reg.Feed(frame)), link::AckFrame(kDevice));
}

TEST(ReportFigures, AmountsAreRightAlignedAndCappedToTheirWidth) {
  EXPECT_EQ(Amount(1250, 2, 9), "    12.50");
  EXPECT_EQ(Amount(5, 2, 9), "     0.05");
  EXPECT_EQ(Amount(7, 3, 8), "   0.007");
  EXPECT_EQ(Amount(42, 0, 4), "  42");
  EXPECT_EQ(Amount(99999999, 2, 9), "999999.99");
  EXPECT_EQ(Amount(100000000, 2, 9), "999999.99");
  EXPECT_EQ(Amount(123456, 0, 4), "9999");
  EXPECT_EQ(SalesThousandths(1), 9500u);  // (37 % 50 + 1) * 250
  EXPECT_EQ(SalesThousandths(50), 250u);  // the smallest
  EXPECT_EQ(SalesThousandths(2400), 250u);
  // Rounded half up: 0.01 * 0.250 = 0.0025 -> 0.00; 0.02 * 0.250 -> 0.01.
  EXPECT_EQ(TurnoverHundredths(Article{50, {}, {}, 1, 1, 0, 1, 0}), 0u);
  EXPECT_EQ(TurnoverHundredths(Article{50, {}, {}, 1, 1, 0, 2, 0}), 1u);
  EXPECT_EQ(TurnoverHundredths(Article{1, {}, {}, 1, 1, 0, 99999999, 0}), 949999991u);
}

// A register with articles in several tax groups and departments, two operators and two named
// departments.
class DailyExchange : public ::testing::Test {
 protected:
  void SetUp() override {
    // Tax group A and department 1; tax group B and department digit 0; tax group I, price 0.
    Program(reg,
            test::ArticleRecord(kDevice, test::ArticleFields("0001", "A", "000000000001", "110",
                                                             "000010002", "000000000")));
    Program(reg,
            test::ArticleRecord(kDevice, test::ArticleFields("0002", "B", "000000000002", "200",
                                                             "000000502", "000000000")));
    Program(reg,
            test::ArticleRecord(kDevice, test::ArticleFields("0003", "C", "000000000003", "900",
                                                             "000000002", "000000000")));
    Program(reg, test::OperatorRecord(kDevice, '7', "SEVEN"));
    Program(reg, test::OperatorRecord(kDevice, '2', "TWO"));
    Program(reg, test::DepartmentRecord(kDevice, 1, "FOOD"));
    Program(reg, test::DepartmentRecord(kDevice, 10, "\x80\x8D"));
    lines = ReportOf(reg, 'F');
  }

  std::vector<link::Bytes> OfType(char type) const {
    std::vector<link::Bytes> found;
    for (const link::Bytes& l : lines) {
      if (l[7] == type) found.push_back(l);
    }
    return found;
  }

  Register reg{RegisterSettings{}, FaultPlan()};
  std::vector<link::Bytes> lines;
};

// The figures themselves are made up from the tables (see Amount and TurnoverHundredths); what
// the PC relies on is where they stand.
TEST_F(DailyExchange, DailyLinesFitTheHeaders) {
  const auto daily = OfType('D');
  ASSERT_EQ(daily.size(), 11u);
  for (std::size_t i = 0; i < 9; ++i) {
    EXPECT_EQ(PcPayload(daily[i]).size(), 28u) << i;
    EXPECT_EQ(PcPayload(daily[i]).substr(0, 2), std::string(" ") + static_cast<char>('A' + i));
  }
  EXPECT_EQ(PcPayload(daily[0]).substr(17), "     20.00%");
  EXPECT_EQ(PcPayload(daily[2]), " C" + Amount(0, 2, 15) + "      0.00%");
  const std::string discounts = PcPayload(daily[9]);
  ASSERT_EQ(discounts.size(), 60u);
  EXPECT_EQ(discounts.substr(0, 7), "     1|");
  const std::string payments = PcPayload(daily[10]);
  ASSERT_EQ(payments.size(), 49u);
  EXPECT_EQ(payments[20], '|');
  EXPECT_EQ(payments.back(), '|');
}

}  // namespace
}  // namespace nuvrel::sim
