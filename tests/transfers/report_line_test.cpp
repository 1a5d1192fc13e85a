// SPDX-License-Identifier: MIT
#include "transfers/report_line.h"

#include <gtest/gtest.h>

#include "report_register.h"
#include "support/recording_ui.h"
#include "support/scripted_port.h"

namespace nuvrel::transfers {
namespace {

using namespace std::chrono_literals;
using report_test::ReportLine;
using report_test::Text;

// A line's start byte and device digits.
const std::string kStart = std::string(1, '\xAA') + "000042";

class ReceiveLine : public ::testing::Test {
 protected:
  std::size_t Receive() { return reader.Receive(line); }
  void Arrive(std::string_view bytes, link::Clock::Duration after = {}) {
    port.Arrive(link::Bytes(bytes.begin(), bytes.end()), after);
  }

  test::FakeClock clock;
  test::ScriptedPort port{clock};
  test::RecordingUi ui;
  link::RegisterIdentity identity;
  link::Channel channel{port, clock, ui, identity};
  ReportLineReader reader{channel};
  std::string line = "left over";
};

TEST_F(ReceiveLine, LinesComeWholeAndInOrderWhereverTheReadsCutThem) {
  // Noise before each start byte (an LF among it) is dropped; a later 0xAA is part of its line.
  const std::vector<std::string> lines{Text(ReportLine('D', "one \xAA two")),
                                       Text(ReportLine('D', std::string(300, 'x'))),
                                       Text(ReportLine('D', "three"))};
  const std::string noise = "noise\n\r\x06";
  std::string stream;
  for (const std::string& l : lines) stream += noise + l;
  // Bytes one at a time; blocks that end mid-line; several lines in one block; more than one
  // read can take.
  for (const std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{64}, stream.size()}) {
    SCOPED_TRACE(chunk);
    for (std::size_t at = 0; at < stream.size(); at += chunk)
      Arrive(stream.substr(at, chunk), std::chrono::milliseconds(at / chunk));
    for (const std::string& expected : lines) {
      EXPECT_EQ(Receive(), expected.size());
      EXPECT_EQ(line, expected);
    }
    EXPECT_EQ(port.Unread(), 0U);
  }
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ReceiveLine, TheLimitCoversTheWholeLineNotTheGapsBetweenBytes) {
  // One byte a second never lets a gap reach 3 s, but the line is not in by then.
  const std::string bytes = Text(ReportLine('D', "slow"));
  for (std::size_t i = 0; i < bytes.size(); ++i)
    Arrive(bytes.substr(i, 1), std::chrono::seconds(i));
  EXPECT_EQ(Receive(), 0U);
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Timeout communicating with ECR!"});
  EXPECT_GT(clock.Elapsed(), 3000ms);
  EXPECT_LT(clock.Elapsed(), 3100ms);
}

TEST_F(ReceiveLine, NoiseWithoutAStartByteTimesOutToo) {
  for (int ms = 0; ms < 4000; ms += 100) Arrive("\x01\n", std::chrono::milliseconds(ms));
  EXPECT_EQ(Receive(), 0U);
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Timeout communicating with ECR!"});
  EXPECT_LE(clock.Elapsed(), 3100ms);
}

TEST_F(ReceiveLine, ALineCompletedJustInTimeIsTaken) {
  const std::string bytes = Text(ReportLine('D', "late"));
  Arrive(bytes.substr(0, 5), 1000ms);
  Arrive(bytes.substr(5), 3000ms);
  EXPECT_EQ(Receive(), bytes.size());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ReceiveLine, SilenceTimesOutJustAfterThreeSeconds) {
  EXPECT_EQ(Receive(), 0U);
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Timeout communicating with ECR!"});
  EXPECT_GT(clock.Elapsed(), 3000ms);
  EXPECT_LE(clock.Elapsed(), 3002ms);
}

TEST_F(ReceiveLine, ALineReachingFiveHundredBytesIsInvalidEvenEndingInItsLineFeed) {
  const std::string longest = Text(ReportLine('D', std::string(499 - 12, 'x')));
  ASSERT_EQ(longest.size(), 499U);
  Arrive(longest);
  EXPECT_EQ(Receive(), 499U);

  const std::string tooLong = Text(ReportLine('D', std::string(500 - 12, 'x')));
  Arrive(tooLong);
  EXPECT_EQ(Receive(), 0U);
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Invalid data received!"});
}

TEST(ParseFieldNumber, TheWholeFieldMustBeTheNumber) {
  struct Case {
    std::string_view field;
    long expected;
  };
  for (const Case c : {Case{"  12", 12}, Case{"0012", 12}, Case{" -12", -12}, Case{"+7  ", -1},
                       Case{"12ab", -1}, Case{"    ", -1}, Case{"  - ", -1}, Case{"9", 9}}) {
    const std::string line = kStart + "f" + std::string(c.field) + "tail";
    EXPECT_EQ(ParseFieldNumber(line, 8, c.field.size()), c.expected) << c.field;
  }
  // The field ends early at a NUL or at the end of the line; nothing at all reads as 0.
  EXPECT_EQ(ParseFieldNumber(kStart + "f 34" + std::string(1, '\0') + "xx", 8, 6), 34);
  EXPECT_EQ(ParseFieldNumber(kStart + "f", 8, 4), 0);
  EXPECT_EQ(ParseFieldNumber(kStart + "f 5", 8, 4), 5);
}

TEST(FieldRules, AFigureIsADecimalNumberAndABarcodeDigits) {
  struct Case {
    std::string_view field;
    bool decimal;
    bool digits;
  };
  for (const Case c :
       {Case{"", true, true}, Case{"   ", true, true}, Case{"12", true, true},
        Case{" 4.000 \r\n", true, false}, Case{"-1.5", true, false}, Case{"+7", true, false},
        Case{"12,50", true, false}, Case{".5", true, false}, Case{"4.0x0", false, false},
        Case{"1.2.3", false, false}, Case{"1.2,3", false, false}, Case{"12 3", false, false},
        Case{"+-1", false, false}, Case{"1-", false, false}, Case{"-", false, false},
        Case{".", false, false}, Case{"12a4", false, false}, Case{"00`", false, false},
        Case{"\t1", false, false}}) {
    EXPECT_EQ(IsDecimalField(c.field), c.decimal) << c.field;
    EXPECT_EQ(IsDigitField(c.field), c.digits) << c.field;
  }
}

}  // namespace
}  // namespace nuvrel::transfers
