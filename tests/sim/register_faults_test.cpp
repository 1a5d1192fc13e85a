// SPDX-License-Identifier: MIT
// Every --fault kind bends exactly the reply it is aimed at: one conversation (identify, V, a, one
// record, z and the PC's acknowledgement) is run with the fault and without, and every other reply
// must come out byte for byte the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <string>

#include "sim/register.h"
#include "sim_test_util.h"

namespace nuvrel::sim {
namespace {

using test::kDevice;
using test::SentBlocks;
using test::SentBytes;

constexpr std::size_t kFrames = 5;  // identify, V, a, record, z

struct Conversation {
  std::vector<std::vector<Action>> replies;  // [frame - 1]
  std::vector<Action> afterPcAck;
  bool awaitingAfterEnd = false;
};

Conversation Converse(const std::vector<std::string>& texts, std::uint32_t device = kDevice) {
  std::vector<FaultSpec> faults;
  for (const std::string& text : texts) {
    const FaultParse parsed = ParseFaultSpec(text);
    EXPECT_TRUE(parsed.fault) << text << ": " << parsed.error;
    if (parsed.fault) faults.push_back(*parsed.fault);
  }
  Register reg(RegisterSettings{device, 'S', "NV-2.21"}, FaultPlan(faults));
  const std::vector<link::Bytes> frames{
      link::IdentifyRequest(), link::CommandFrame(device, 'V'), link::CommandFrame(device, 'a'),
      test::OperatorRecord(device, '1', "ANA"), link::CommandFrame(device, 'z')};
  Conversation c;
  for (const link::Bytes& frame : frames) c.replies.push_back(reg.Feed(frame));
  c.awaitingAfterEnd = reg.AwaitingPcAck();
  c.afterPcAck = reg.Feed(link::AckFrame(device));
  return c;
}

const Conversation& Baseline() {
  static const Conversation baseline = Converse({});
  return baseline;
}

const link::Bytes& BaseReply(std::size_t frame) {
  static const std::vector<link::Bytes> replies = [] {
    std::vector<link::Bytes> all;
    for (const auto& reply : Baseline().replies) all.push_back(SentBytes(reply));
    return all;
  }();
  return replies.at(frame - 1);
}

std::span<const std::uint8_t, 10> Ten(const link::Bytes& bytes) {
  EXPECT_GE(bytes.size(), 10u);
  return std::span<const std::uint8_t, 10>(bytes.data(), 10);
}

bool PairRight(const link::Bytes& frame, std::size_t covered) {
  return link::CheckPairMatches(std::span(frame).first(covered), frame[covered],
                                frame[covered + 1]);
}

// Runs the conversation with the faults and checks that only the reply to `frame` differs.
Conversation RunAimedAt(const std::vector<std::string>& faults, std::size_t frame) {
  Conversation c = Converse(faults);
  for (std::size_t i = 1; i <= kFrames; ++i) {
    if (i == frame) continue;
    EXPECT_EQ(SentBytes(c.replies[i - 1]), BaseReply(i)) << "reply to frame " << i;
  }
  EXPECT_NE(SentBytes(c.replies[frame - 1]), BaseReply(frame));
  return c;
}

TEST(RegisterFaults, BaselineConversationIsClean) {
  const Conversation& c = Baseline();
  EXPECT_TRUE(c.awaitingAfterEnd);
  EXPECT_TRUE(c.afterPcAck.empty());
  for (const auto& reply : c.replies) EXPECT_TRUE(test::NotesOf(reply).empty());
}

TEST(RegisterFaults, NakReplacesTheWholeReply) {
  link::Bytes refusal{link::kNakByte};
  for (char ch : link::DeviceDigits(kDevice)) refusal.push_back(static_cast<std::uint8_t>(ch));
  link::AppendCheckPair(refusal);
  EXPECT_EQ(SentBytes(RunAimedAt({"nak"}, 1).replies[0]), refusal);
  EXPECT_EQ(SentBytes(RunAimedAt({"nak@2"}, 2).replies[1]), refusal);  // no version line either
  const Conversation end = RunAimedAt({"nak@5"}, 5);
  EXPECT_EQ(SentBytes(end.replies[4]), refusal);
  EXPECT_FALSE(end.awaitingAfterEnd);
}

TEST(RegisterFaults, NakPartialSendsOnlyTheRefusalByte) {
  EXPECT_EQ(SentBytes(RunAimedAt({"nak-partial"}, 1).replies[0]), link::Bytes{link::kNakByte});
  EXPECT_EQ(SentBytes(RunAimedAt({"nak-partial@3"}, 3).replies[2]), link::Bytes{link::kNakByte});
}

TEST(RegisterFaults, CrcSpoilsOnlyTheCheckPairOfTheChosenFrame) {
  const link::Bytes identify = SentBytes(RunAimedAt({"crc"}, 1).replies[0]);
  EXPECT_EQ(link::CheckIdentifyReply(Ten(identify)).fault, link::Fault::BadCheckPair);
  EXPECT_EQ(link::Bytes(identify.begin(), identify.begin() + 7),
            link::Bytes(BaseReply(1).begin(), BaseReply(1).begin() + 7));

  const auto version = SentBlocks(RunAimedAt({"crc@2"}, 2).replies[1]);
  ASSERT_EQ(version.size(), 2u);
  EXPECT_EQ(link::CheckAck(Ten(version[0]), kDevice), link::Fault::BadCheckPair);
  EXPECT_EQ(version[1], SentBlocks(Baseline().replies[1])[1]);

  const Conversation end = RunAimedAt({"crc@5:2"}, 5);
  const auto blocks = SentBlocks(end.replies[4]);
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0], link::AckFrame(kDevice));
  EXPECT_EQ(link::CheckUploadEnd(std::span<const std::uint8_t, 23>(blocks[1].data(), 23), kDevice),
            link::Fault::BadCheckPair);
  EXPECT_TRUE(end.awaitingAfterEnd);  // the packet went out; the PC decides what to do with it
}

TEST(RegisterFaults, WrongDeviceCarriesTheNextNumberWithARightPair) {
  const auto version = SentBlocks(RunAimedAt({"wrong-device"}, 2).replies[1]);
  ASSERT_EQ(version.size(), 2u);
  EXPECT_EQ(link::CheckAck(Ten(version[0]), kDevice), link::Fault::WrongDevice);
  EXPECT_EQ(link::CheckAck(Ten(version[0]), kDevice + 1), link::Fault::None);

  const auto end = SentBlocks(RunAimedAt({"wrong-device@5:2"}, 5).replies[4]);
  ASSERT_EQ(end.size(), 2u);
  EXPECT_EQ(end[0], link::AckFrame(kDevice));
  EXPECT_EQ(link::CheckUploadEnd(std::span<const std::uint8_t, 23>(end[1].data(), 23), kDevice),
            link::Fault::WrongDevice);
  EXPECT_TRUE(PairRight(end[1], 20));

  // The largest device number wraps to 1 rather than growing a seventh digit.
  const auto top = SentBlocks(Converse({"wrong-device@3"}, 999999).replies[2]);
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0], link::AckFrame(1));
}

TEST(RegisterFaults, SilenceSkipsOneReplyOnly) {
  EXPECT_TRUE(SentBytes(RunAimedAt({"silence"}, 1).replies[0]).empty());
  const Conversation end = RunAimedAt({"silence@5"}, 5);
  EXPECT_TRUE(SentBytes(end.replies[4]).empty());
  EXPECT_FALSE(end.awaitingAfterEnd);
  // Silence from the end packet on: the acknowledgement still goes out.
  EXPECT_EQ(SentBytes(RunAimedAt({"silence@5:2"}, 5).replies[4]), link::AckFrame(kDevice));
}

TEST(RegisterFaults, PartialSendsTheFirstHalfOfTheChosenFrame) {
  const link::Bytes half(BaseReply(1).begin(), BaseReply(1).begin() + 5);
  EXPECT_EQ(SentBytes(RunAimedAt({"partial"}, 1).replies[0]), half);
  EXPECT_EQ(SentBytes(RunAimedAt({"partial@2"}, 2).replies[1]),
            link::Bytes(BaseReply(2).begin(), BaseReply(2).begin() + 5));

  const Conversation end = RunAimedAt({"partial@5:2"}, 5);
  EXPECT_EQ(SentBytes(end.replies[4]),
            link::Bytes(BaseReply(5).begin(), BaseReply(5).begin() + 10 + 11));
  EXPECT_FALSE(end.awaitingAfterEnd);
}

TEST(RegisterFaults, GarbageComesBeforeAnIntactReply) {
  const auto blocks = SentBlocks(RunAimedAt({"garbage"}, 1).replies[0]);
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0], (link::Bytes{0x00, 0x13, 'x', 'y'}));
  EXPECT_EQ(blocks[1], BaseReply(1));
}

TEST(RegisterFaults, ZeroDeviceAndBadDigitsKeepTheCheckPairRight) {
  const link::Bytes zero = SentBytes(RunAimedAt({"zero-device"}, 1).replies[0]);
  EXPECT_EQ(std::string(zero.begin() + 1, zero.begin() + 7), "000000");
  EXPECT_TRUE(PairRight(zero, 7));
  EXPECT_EQ(link::CheckIdentifyReply(Ten(zero)).fault, link::Fault::Silent);

  const link::Bytes letter = SentBytes(RunAimedAt({"bad-digits"}, 1).replies[0]);
  EXPECT_EQ(std::string(letter.begin() + 1, letter.begin() + 7), "12A456");
  EXPECT_TRUE(PairRight(letter, 7));
  EXPECT_EQ(link::CheckIdentifyReply(Ten(letter)).fault, link::Fault::Silent);
}

TEST(RegisterFaults, ForeignCountryChangesOnlyTheCountryLetter) {
  const auto blocks = SentBlocks(RunAimedAt({"foreign-country"}, 2).replies[1]);
  const auto base = SentBlocks(Baseline().replies[1]);
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0], base[0]);
  ASSERT_EQ(blocks[1].size(), base[1].size());
  for (std::size_t i = 0; i < blocks[1].size() - 4; ++i) {
    if (i != 10) {
      EXPECT_EQ(blocks[1][i], base[1][i]) << i;
    }
  }
  EXPECT_EQ(link::ParseVersionLine(blocks[1]).country, 'D');
  EXPECT_TRUE(PairRight(blocks[1], blocks[1].size() - 4));
}

TEST(RegisterFaults, LongLineIsElevenHundredBytesEndingInCrLf) {
  const auto blocks = SentBlocks(RunAimedAt({"long-line"}, 2).replies[1]);
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0], link::AckFrame(kDevice));
  ASSERT_EQ(blocks[1].size(), 1100u);
  EXPECT_EQ(blocks[1][1098], '\r');
  EXPECT_EQ(blocks[1][1099], '\n');
  EXPECT_EQ(std::count(blocks[1].begin(), blocks[1].end(), link::kLineFeed), 1);
  EXPECT_EQ(link::ParseVersionLine(blocks[1]).country, 'S');
}

TEST(RegisterFaults, BadAckHasAnInvalidFirstByteOnly) {
  const link::Bytes identify = SentBytes(RunAimedAt({"bad-ack"}, 1).replies[0]);
  EXPECT_EQ(identify[0], 0x07);
  EXPECT_TRUE(PairRight(identify, 7));
  EXPECT_EQ(link::CheckIdentifyReply(Ten(identify)).fault, link::Fault::Invalid);

  const link::Bytes ack = SentBytes(RunAimedAt({"bad-ack@4"}, 4).replies[3]);
  EXPECT_EQ(link::CheckAck(Ten(ack), kDevice), link::Fault::Invalid);
  EXPECT_EQ(link::Bytes(ack.begin() + 1, ack.begin() + 7),
            link::Bytes(BaseReply(4).begin() + 1, BaseReply(4).begin() + 7));
}

TEST(RegisterFaults, HangUpEndsTheConversation) {
  const Conversation c = Converse({"hangup@3"});
  EXPECT_EQ(SentBytes(c.replies[0]), BaseReply(1));
  EXPECT_EQ(SentBytes(c.replies[1]), BaseReply(2));
  EXPECT_TRUE(SentBytes(c.replies[2]).empty());
  EXPECT_TRUE(test::HasAction(c.replies[2], ActionKind::HangUp));
  EXPECT_TRUE(c.replies[3].empty());
  EXPECT_TRUE(c.replies[4].empty());

  // Mid-transfer: the acknowledgement of z goes out, then the line drops.
  const Conversation end = Converse({"hangup@5:2"});
  EXPECT_EQ(SentBytes(end.replies[4]), link::AckFrame(kDevice));
  EXPECT_EQ(end.replies[4].back().kind, ActionKind::HangUp);
  EXPECT_FALSE(end.awaitingAfterEnd);
}

TEST(RegisterFaults, FaultsOnTheSameReplyCombine) {
  const auto blocks = SentBlocks(RunAimedAt({"garbage", "crc"}, 1).replies[0]);
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0][0], 0x00);
  EXPECT_EQ(link::CheckIdentifyReply(Ten(blocks[1])).fault, link::Fault::BadCheckPair);
}

TEST(RegisterFaults, FaultWithNothingToBendIsNotedAndChangesNothing) {
  for (const char* fault : {"foreign-country@1", "crc@1:2", "long-line@5"}) {
    const Conversation c = Converse({fault});
    for (std::size_t i = 1; i <= kFrames; ++i) {
      EXPECT_EQ(SentBytes(c.replies[i - 1]), BaseReply(i)) << fault << " frame " << i;
    }
    bool noted = false;
    for (const auto& reply : c.replies) {
      for (const std::string& note : test::NotesOf(reply)) {
        noted = noted || note.find("found no frame") != std::string::npos;
      }
    }
    EXPECT_TRUE(noted) << fault;
  }
}

TEST(RegisterFaults, RefusalsCountAsFramesForLaterFaults) {
  // Frame 2 is refused (another device number), so the fault on frame 3 hits the command a.
  Register reg(RegisterSettings{kDevice, 'S', "x"},
               FaultPlan({FaultSpec{FaultKind::Silence, 3, 1}}));
  reg.Feed(link::IdentifyRequest());
  EXPECT_EQ(SentBytes(reg.Feed(link::CommandFrame(kDevice + 1, 'V')))[0], link::kNakByte);
  EXPECT_TRUE(SentBytes(reg.Feed(link::CommandFrame(kDevice, 'a'))).empty());
  EXPECT_TRUE(reg.UploadOpen());
}

}  // namespace
}  // namespace nuvrel::sim
