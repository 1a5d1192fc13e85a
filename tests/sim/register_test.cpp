// SPDX-License-Identifier: MIT
// The register state machine without faults: what it answers to each frame, an overlong frame, the
// upload end handshake and the records it keeps.
#include "sim/register.h"

#include <gtest/gtest.h>

#include "sim_test_util.h"

namespace nuvrel::sim {
namespace {

using test::kDevice;
using test::Refusal;
using test::SentBlocks;
using test::SentBytes;

Register MakeRegister(std::uint32_t device = kDevice) {
  return Register(RegisterSettings{device, 'S', "NV-2.21"}, FaultPlan());
}

TEST(RegisterAnswers, UnknownLettersAndAPairRightOnlyInItsLowNibblesAreAcknowledged) {
  link::Bytes highNibbles = link::CommandFrame(kDevice, 'a');
  highNibbles[8] = static_cast<std::uint8_t>(0x70 | (highNibbles[8] & 0x0F));
  highNibbles[9] = static_cast<std::uint8_t>(0x40 | (highNibbles[9] & 0x0F));
  Register reg = MakeRegister();
  for (const link::Bytes& frame :
       {link::CommandFrame(kDevice, 'Q'), link::CommandFrame(kDevice, 'x'),
        link::CommandFrame(kDevice, 'A'), highNibbles}) {
    EXPECT_EQ(SentBytes(reg.Feed(frame)), link::AckFrame(kDevice));
  }
}

TEST(RegisterAnswers, AWrongCheckPairOrDeviceOrAFrameOfNoKnownShapeIsRefused) {
  link::Bytes badPair = link::CommandFrame(kDevice, 'a');
  badPair[9] ^= 0x01;
  link::Bytes badIdentify = link::IdentifyRequest();
  badIdentify[3] ^= 0x01;
  link::Bytes shortFrame{link::kStartByte, 'X'};
  link::AppendCheckPair(shortFrame);  // 5 bytes but not an identify request
  link::Bytes longCommand = link::BeginFrame(kDevice, 'a');
  longCommand.push_back('1');
  link::AppendCheckPair(longCommand);
  Register reg = MakeRegister();
  for (const link::Bytes& frame :
       {badPair, link::CommandFrame(kDevice + 1, 'a'), badIdentify, shortFrame, longCommand}) {
    EXPECT_EQ(SentBytes(reg.Feed(frame)), Refusal());
  }
  EXPECT_FALSE(reg.UploadOpen());
  EXPECT_EQ(reg.FramesReceived(), 5u);
}

TEST(RegisterFraming, OverlongFrameIsDroppedAndTheNextOneAnswered) {
  Register reg = MakeRegister();
  link::Bytes junk(kFrameLimit + 10, 'x');
  junk[0] = link::kStartByte;
  const auto dropped = reg.Feed(junk);
  EXPECT_TRUE(SentBytes(dropped).empty());
  EXPECT_FALSE(test::NotesOf(dropped).empty());
  EXPECT_EQ(SentBytes(reg.Feed(link::IdentifyRequest())),
            link::IdentifyReply(link::kAckByte, "123456"));
  EXPECT_EQ(reg.FramesReceived(), 1u);
}

class RegisterUpload : public ::testing::Test {
 protected:
  // Opens an upload and ends it; returns the actions for z.
  std::vector<Action> BeginAndEnd(int records = 0) {
    reg.Feed(link::CommandFrame(kDevice, 'a'));
    for (int i = 1; i <= records; ++i)
      reg.Feed(test::OperatorRecord(kDevice, static_cast<char>('0' + i), "A"));
    return reg.Feed(link::CommandFrame(kDevice, 'z'));
  }

  Register reg = MakeRegister();
};

TEST_F(RegisterUpload, AcksOutsideTheWaitAreIgnoredAndWrongOnesInItReported) {
  EXPECT_TRUE(reg.Feed(link::AckFrame(kDevice)).empty());
  EXPECT_EQ(reg.FramesReceived(), 0u);
  link::Bytes badPair = link::AckFrame(kDevice);
  badPair[8] ^= 0x01;
  const std::vector<link::Bytes> wrong{
      badPair, link::AckFrame(kDevice + 1), {0x06, '1', '2', 0x0A}};
  for (const link::Bytes& ack : wrong) {
    BeginAndEnd();
    const auto actions = reg.Feed(ack);
    EXPECT_TRUE(SentBytes(actions).empty());
    ASSERT_EQ(test::NotesOf(actions).size(), 1u);
    EXPECT_FALSE(reg.AwaitingPcAck());
  }
}

TEST_F(RegisterUpload, NextFrameInsteadOfPcAckIsReportedAndAnswered) {
  BeginAndEnd();
  const auto actions = reg.Feed(link::IdentifyRequest());
  EXPECT_EQ(test::NotesOf(actions).size(), 1u);
  EXPECT_EQ(SentBytes(actions), link::IdentifyReply(link::kAckByte, "123456"));
  EXPECT_FALSE(reg.AwaitingPcAck());
}

TEST(RegisterRecords, UploadEndCountsOnlyTheRecordsTaken) {
  Register reg = MakeRegister();
  reg.Feed(link::CommandFrame(kDevice, 'a'));
  reg.Feed(test::OperatorRecord(kDevice, '1', "A"));
  reg.Feed(test::OperatorRecord(kDevice, '0', "A"));  // refused
  const auto blocks = SentBlocks(reg.Feed(link::CommandFrame(kDevice, 'z')));
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(std::string(blocks[1].begin() + 8, blocks[1].begin() + 14), "000001");
}

}  // namespace
}  // namespace nuvrel::sim
