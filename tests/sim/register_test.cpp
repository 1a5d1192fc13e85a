// SPDX-License-Identifier: MIT
// The register state machine without faults: what it answers to each frame, how it finds frames in
// the byte stream, the upload end handshake and the records it keeps.
#include "sim/register.h"

#include <gtest/gtest.h>

#include <span>

#include "sim_test_util.h"

namespace nuvrel::sim {
namespace {

using test::kDevice;
using test::SentBlocks;
using test::SentBytes;

Register MakeRegister(std::uint32_t device = kDevice) {
  return Register(RegisterSettings{device, 'S', "NV-2.21"}, FaultPlan());
}

link::Bytes Refusal(std::uint32_t device = kDevice) {
  link::Bytes frame{link::kNakByte};
  for (char c : link::DeviceDigits(device)) frame.push_back(static_cast<std::uint8_t>(c));
  link::AppendCheckPair(frame);
  return frame;
}

// --- answers ---------------------------------------------------------------------------------

TEST(RegisterAnswers, IdentifyRequestGetsItsDeviceNumber) {
  Register reg = MakeRegister();
  const auto actions = reg.Feed(link::IdentifyRequest());
  ASSERT_EQ(SentBlocks(actions).size(), 1u);
  EXPECT_EQ(SentBytes(actions), link::IdentifyReply(link::kAckByte, "123456"));
  const auto reply = SentBytes(actions);
  const auto result = link::CheckIdentifyReply(std::span<const std::uint8_t, 10>(reply.data(), 10));
  EXPECT_EQ(result.fault, link::Fault::None);
  EXPECT_EQ(result.deviceNumber, kDevice);
}

TEST(RegisterAnswers, DeviceNumbersAtTheEdgesAreSixDigits) {
  for (std::uint32_t device : {0u, 1u, 999999u}) {
    Register reg = MakeRegister(device);
    EXPECT_EQ(SentBytes(reg.Feed(link::IdentifyRequest())),
              link::IdentifyReply(link::kAckByte, link::DeviceDigits(device)))
        << device;
    EXPECT_EQ(SentBytes(reg.Feed(link::CommandFrame(device, 'a'))), link::AckFrame(device))
        << device;
  }
}

TEST(RegisterAnswers, VersionCommandGetsAckThenVersionLine) {
  Register reg(RegisterSettings{42, 'D', "NV-9.99 test"}, FaultPlan());
  const auto blocks = SentBlocks(reg.Feed(link::CommandFrame(42, 'V')));
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0], link::AckFrame(42));
  const link::Bytes& line = blocks[1];
  const std::string head =
      "\xAA"
      "000042V00D NV-9.99 test";
  EXPECT_EQ(std::string(line.begin(), line.end() - 4), head);
  EXPECT_EQ(line, link::TrailedLine(link::Bytes(head.begin(), head.end())));
  const link::VersionInfo info = link::ParseVersionLine(line);
  EXPECT_EQ(info.country, 'D');
  EXPECT_EQ(info.version, "NV-9.99 test");
}

TEST(RegisterAnswers, UnknownCommandLettersAreAcknowledged) {
  Register reg = MakeRegister();
  for (char letter : {'F', 'f', 'R', 'Q'}) {
    EXPECT_EQ(SentBytes(reg.Feed(link::CommandFrame(kDevice, letter))), link::AckFrame(kDevice))
        << letter;
  }
}

TEST(RegisterAnswers, WrongCheckPairOrDeviceIsRefused) {
  Register reg = MakeRegister();
  link::Bytes badPair = link::CommandFrame(kDevice, 'a');
  badPair[9] ^= 0x01;
  EXPECT_EQ(SentBytes(reg.Feed(badPair)), Refusal());

  EXPECT_EQ(SentBytes(reg.Feed(link::CommandFrame(kDevice + 1, 'a'))), Refusal());
  EXPECT_FALSE(reg.UploadOpen());

  link::Bytes badIdentify = link::IdentifyRequest();
  badIdentify[3] ^= 0x01;
  EXPECT_EQ(SentBytes(reg.Feed(badIdentify)), Refusal());
}

TEST(RegisterAnswers, OnlyTheLowNibblesOfTheReceivedPairCount) {
  Register reg = MakeRegister();
  link::Bytes frame = link::CommandFrame(kDevice, 'a');
  frame[8] = static_cast<std::uint8_t>(0x70 | (frame[8] & 0x0F));
  frame[9] = static_cast<std::uint8_t>(0x40 | (frame[9] & 0x0F));
  EXPECT_EQ(SentBytes(reg.Feed(frame)), link::AckFrame(kDevice));
}

TEST(RegisterAnswers, FramesOfNoKnownShapeAreRefused) {
  Register reg = MakeRegister();
  link::Bytes shortFrame{link::kStartByte, 'X'};
  link::AppendCheckPair(shortFrame);  // 5 bytes but not an identify request
  EXPECT_EQ(SentBytes(reg.Feed(shortFrame)), Refusal());

  link::Bytes longCommand = link::BeginFrame(kDevice, 'a');
  longCommand.push_back('1');
  link::AppendCheckPair(longCommand);
  EXPECT_EQ(SentBytes(reg.Feed(longCommand)), Refusal());
  EXPECT_EQ(reg.FramesReceived(), 2u);
}

// --- finding frames in the byte stream ---------------------------------------------------------

TEST(RegisterFraming, BytesBeforeTheStartByteAreIgnored) {
  Register reg = MakeRegister();
  link::Bytes stream{0x00, 0x0A, 0x06, 'x', 0x0A};
  const link::Bytes request = link::IdentifyRequest();
  stream.insert(stream.end(), request.begin(), request.end());
  EXPECT_EQ(SentBytes(reg.Feed(stream)), link::IdentifyReply(link::kAckByte, "123456"));
  EXPECT_EQ(reg.FramesReceived(), 1u);
}

TEST(RegisterFraming, FramesSplitAnywhereGiveTheSameAnswers) {
  const link::Bytes stream =
      test::Concat(link::IdentifyRequest(), link::CommandFrame(kDevice, 'V'));
  Register whole = MakeRegister();
  const link::Bytes expected = SentBytes(whole.Feed(stream));

  Register byByte = MakeRegister();
  link::Bytes got;
  for (std::uint8_t b : stream) {
    const link::Bytes part = SentBytes(byByte.Feed(std::span(&b, 1)));
    got.insert(got.end(), part.begin(), part.end());
  }
  EXPECT_EQ(got, expected);
  EXPECT_EQ(byByte.FramesReceived(), 2u);
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

// --- begin and end of an upload ------------------------------------------------------------------

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

TEST_F(RegisterUpload, BeginOpensAndEndClosesTheUpload) {
  EXPECT_FALSE(reg.UploadOpen());
  EXPECT_EQ(SentBytes(reg.Feed(link::CommandFrame(kDevice, 'a'))), link::AckFrame(kDevice));
  EXPECT_TRUE(reg.UploadOpen());
  reg.Feed(link::CommandFrame(kDevice, 'z'));
  EXPECT_FALSE(reg.UploadOpen());
}

TEST_F(RegisterUpload, EndGetsAckThenAValidEndPacketThenWaitsForThePc) {
  const auto actions = BeginAndEnd(3);
  const auto blocks = SentBlocks(actions);
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0], link::AckFrame(kDevice));
  ASSERT_EQ(blocks[1].size(), link::kUploadEndSize);
  EXPECT_EQ(link::CheckUploadEnd(std::span<const std::uint8_t, 23>(blocks[1].data(), 23), kDevice),
            link::Fault::None);
  // The body counts the records of this upload and the uploads so far.
  EXPECT_EQ(std::string(blocks[1].begin() + 8, blocks[1].begin() + 20), "000003000001");
  // The wait starts only after both frames are out.
  ASSERT_FALSE(actions.empty());
  EXPECT_EQ(actions.back().kind, ActionKind::AwaitPcAck);
  EXPECT_TRUE(reg.AwaitingPcAck());
}

TEST_F(RegisterUpload, RightPcAckEndsTheWaitQuietly) {
  BeginAndEnd();
  const auto actions = reg.Feed(test::Concat(link::Bytes{0x00}, link::AckFrame(kDevice)));
  EXPECT_TRUE(actions.empty());
  EXPECT_FALSE(reg.AwaitingPcAck());
  EXPECT_TRUE(reg.PcAckTimedOut().empty());
  EXPECT_EQ(reg.FramesReceived(), 2u);  // the PC's acknowledgement is not a frame to answer
}

TEST_F(RegisterUpload, WrongPcAcksAreReported) {
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

TEST_F(RegisterUpload, MissingPcAckIsReportedOnTimeOut) {
  BeginAndEnd();
  reg.Feed(link::Bytes{0x06, '1', '2'});  // a part of it, then nothing
  const auto actions = reg.PcAckTimedOut();
  ASSERT_EQ(test::NotesOf(actions).size(), 1u);
  EXPECT_FALSE(reg.AwaitingPcAck());
  // The broken acknowledgement does not swallow the next frame.
  EXPECT_EQ(SentBytes(reg.Feed(link::CommandFrame(kDevice, 'a'))), link::AckFrame(kDevice));
}

TEST_F(RegisterUpload, NextFrameInsteadOfPcAckIsReportedAndAnswered) {
  BeginAndEnd();
  const auto actions = reg.Feed(link::IdentifyRequest());
  EXPECT_EQ(test::NotesOf(actions).size(), 1u);
  EXPECT_EQ(SentBytes(actions), link::IdentifyReply(link::kAckByte, "123456"));
  EXPECT_FALSE(reg.AwaitingPcAck());
}

TEST_F(RegisterUpload, AcknowledgementBytesOutsideTheWaitAreIgnored) {
  EXPECT_TRUE(reg.Feed(link::AckFrame(kDevice)).empty());
  EXPECT_EQ(reg.FramesReceived(), 0u);
}

// --- records -------------------------------------------------------------------------------------

TEST(RegisterRecords, EveryRecordKindIsAcknowledgedAndKeptByItsNumber) {
  Register reg = MakeRegister();
  struct Case {
    link::Bytes frame;
    char letter;
    const char* number;
  };
  const std::string article =
      "0007" + std::string(15, 'N') + std::string(12, '"') + "1\"\"000012502" + std::string(9, '"');
  const std::vector<Case> cases{
      {test::RecordFrame(kDevice, 'r', article), 'r', "0007"},
      {test::OperatorRecord(kDevice, '5', "ANA"), 'o', "5"},
      {test::RecordFrame(kDevice, 'y', "3" + std::string(15, ' ') + std::string(10, '"')), 'y',
       "3"},
      {test::RecordFrame(kDevice, 'y', "10X" + std::string(14, ' ') + std::string(10, '"')), 'y',
       "10"},
      {test::RecordFrame(kDevice, 'w', "20" + std::string(18, 'F') + "*"), 'w', "2"},
      {test::RecordFrame(kDevice, 'u', "30SALE" + std::string(14, ' ') + "*"), 'u', "3"},
  };
  ASSERT_EQ(cases[0].frame.size(), 63u);
  ASSERT_EQ(cases[2].frame.size(), 37u);
  ASSERT_EQ(cases[3].frame.size(), 38u);
  for (const Case& c : cases) {
    EXPECT_EQ(SentBytes(reg.Feed(c.frame)), link::AckFrame(kDevice)) << c.letter << c.number;
    const link::Bytes* kept = reg.Tables().Find(c.letter, c.number);
    ASSERT_NE(kept, nullptr) << c.letter << c.number;
    EXPECT_EQ(*kept, c.frame);
  }
  EXPECT_EQ(reg.Tables().Size(), cases.size());
}

TEST(RegisterRecords, LaterRecordReplacesTheEarlierOne) {
  Register reg = MakeRegister();
  reg.Feed(test::OperatorRecord(kDevice, '2', "OLD"));
  const link::Bytes newer = test::OperatorRecord(kDevice, '2', "NEW");
  reg.Feed(newer);
  EXPECT_EQ(reg.Tables().Size(), 1u);
  EXPECT_EQ(*reg.Tables().Find('o', "2"), newer);
}

TEST(RegisterRecords, RefusedRecordsAreNotKept) {
  Register reg = MakeRegister();
  link::Bytes badPair = test::OperatorRecord(kDevice, '1', "ANA");
  badPair[badPair.size() - 2] ^= 0x01;
  const std::vector<link::Bytes> refused{
      badPair, test::OperatorRecord(kDevice + 1, '1', "ANA"),
      test::RecordFrame(kDevice, 'o', "X" + std::string(12, ' ') + "*"),  // no item number
      test::RecordFrame(kDevice, 'r', "12"),                              // number cut short
  };
  for (const link::Bytes& frame : refused) {
    EXPECT_EQ(SentBytes(reg.Feed(frame)), Refusal());
  }
  EXPECT_EQ(reg.Tables().Size(), 0u);
}

TEST(RegisterRecords, RecordKeysNeedTheirWholeNumber) {
  EXPECT_EQ(ReadRecordKey(link::CommandFrame(kDevice, 'r')), std::nullopt);
  EXPECT_EQ(ReadRecordKey(test::RecordFrame(kDevice, 'r', "123")), std::nullopt);
  EXPECT_EQ(ReadRecordKey(test::RecordFrame(kDevice, 'r', "1234")), (RecordKey{'r', "1234"}));
  EXPECT_EQ(ReadRecordKey(test::RecordFrame(kDevice, 'a', "1234")), std::nullopt);
  EXPECT_EQ(ReadRecordKey(test::RecordFrame(kDevice, 'o', "9")), (RecordKey{'o', "9"}));
}

}  // namespace
}  // namespace nuvrel::sim
