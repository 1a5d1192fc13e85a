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

// The fault the client finds in a reply block: an upload end packet by its size, else an identify
// reply or an acknowledgement.
link::Fault ClientSees(const link::Bytes& block, bool identify) {
  if (block.size() == link::kUploadEndSize) {
    return link::CheckUploadEnd(std::span<const std::uint8_t, 23>(block.data(), 23), kDevice);
  }
  if (block.size() != 10) return link::Fault::Invalid;
  return identify ? link::CheckIdentifyReply(Ten(block)).fault
                  : link::CheckAck(Ten(block), kDevice);
}

TEST(RegisterFaults, EachBendsOnlyItsReplyIntoWhatTheClientMustRecognise) {
  const link::Bytes refusal = SentBytes(Converse({"nak"}).replies[0]);
  const struct {
    const char* fault;
    std::size_t frame;
    std::size_t block;  // of the bent reply
    link::Fault seen;
    bool awaitingAfterEnd;
  } cases[] = {
      {"nak", 1, 0, link::Fault::Refused, true},
      {"nak@2", 2, 0, link::Fault::Refused, true},  // no version line either
      {"nak@5", 5, 0, link::Fault::Refused, false},
      {"crc", 1, 0, link::Fault::BadCheckPair, true},
      {"crc@2", 2, 0, link::Fault::BadCheckPair, true},
      // The end packet went out; the PC decides what to do with it.
      {"crc@5:2", 5, 1, link::Fault::BadCheckPair, true},
      {"wrong-device", 2, 0, link::Fault::WrongDevice, true},
      {"wrong-device@5:2", 5, 1, link::Fault::WrongDevice, true},
      {"zero-device", 1, 0, link::Fault::Silent, true},
      {"bad-digits", 1, 0, link::Fault::Silent, true},
      {"bad-ack", 1, 0, link::Fault::Invalid, true},
      {"bad-ack@4", 4, 0, link::Fault::Invalid, true},
      {"garbage", 1, 1, link::Fault::None, true},  // before an intact reply
      {"foreign-country", 2, 0, link::Fault::None, true},
      {"long-line", 2, 0, link::Fault::None, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fault);
    const Conversation run = RunAimedAt({c.fault}, c.frame);
    const auto blocks = SentBlocks(run.replies[c.frame - 1]);
    ASSERT_GT(blocks.size(), c.block);
    if (c.seen == link::Fault::Refused) {
      EXPECT_EQ(blocks, std::vector<link::Bytes>{refusal});
    } else {
      EXPECT_EQ(ClientSees(blocks[c.block], c.frame == 1), c.seen);
    }
    EXPECT_EQ(run.awaitingAfterEnd, c.awaitingAfterEnd);
  }
  EXPECT_EQ(refusal[0], link::kNakByte);
  EXPECT_TRUE(PairRight(refusal, 7));
}

TEST(RegisterFaults, CutRepliesLeaveOutWhatTheyName) {
  const auto replyTo = [](const char* fault, std::size_t frame) {
    const Conversation run = RunAimedAt({fault}, frame);
    return std::pair{SentBytes(run.replies[frame - 1]), run.awaitingAfterEnd};
  };
  const auto start = [](std::size_t frame, std::size_t n) {
    return link::Bytes(BaseReply(frame).begin(), BaseReply(frame).begin() + n);
  };
  EXPECT_EQ(replyTo("nak-partial", 1).first, link::Bytes{link::kNakByte});
  EXPECT_EQ(replyTo("nak-partial@3", 3).first, link::Bytes{link::kNakByte});
  EXPECT_EQ(replyTo("silence", 1).first, link::Bytes{});
  EXPECT_EQ(replyTo("silence@5", 5), std::pair(link::Bytes{}, false));
  // Silence from the end packet on: the acknowledgement still goes out.
  EXPECT_EQ(replyTo("silence@5:2", 5).first, link::AckFrame(kDevice));
  EXPECT_EQ(replyTo("partial", 1).first, start(1, 5));
  EXPECT_EQ(replyTo("partial@2", 2).first, start(2, 5));
  EXPECT_EQ(replyTo("partial@5:2", 5), std::pair(start(5, 10 + 11), false));
}

TEST(RegisterFaults, BentBytesKeepEverythingElseOfTheReply) {
  const link::Bytes zero = SentBytes(Converse({"zero-device"}).replies[0]);
  EXPECT_EQ(std::string(zero.begin() + 1, zero.begin() + 7), "000000");
  EXPECT_TRUE(PairRight(zero, 7));
  const link::Bytes letter = SentBytes(Converse({"bad-digits"}).replies[0]);
  EXPECT_EQ(std::string(letter.begin() + 1, letter.begin() + 7), "12A456");
  EXPECT_TRUE(PairRight(letter, 7));
  const link::Bytes badAck = SentBytes(Converse({"bad-ack"}).replies[0]);
  EXPECT_EQ(badAck[0], 0x07);
  EXPECT_TRUE(PairRight(badAck, 7));
  const auto end = SentBlocks(Converse({"wrong-device@5:2"}).replies[4]);
  EXPECT_EQ(end[0], link::AckFrame(kDevice));
  EXPECT_TRUE(PairRight(end[1], 20));
  EXPECT_EQ(SentBlocks(Converse({"garbage"}).replies[0])[0], (link::Bytes{0x00, 0x13, 'x', 'y'}));
  // The largest device number wraps to 1 rather than growing a seventh digit.
  EXPECT_EQ(SentBytes(Converse({"wrong-device@3"}, 999999).replies[2]), link::AckFrame(1));

  // The version line: another country letter only, or stretched to 1100 bytes ending in CR LF.
  const auto base = SentBlocks(Baseline().replies[1]);
  const auto foreign = SentBlocks(Converse({"foreign-country"}).replies[1]);
  ASSERT_EQ(foreign[1].size(), base[1].size());
  for (std::size_t i = 0; i < base[1].size() - 4; ++i) {
    if (i != 10) {
      EXPECT_EQ(foreign[1][i], base[1][i]) << i;
    }
  }
  EXPECT_EQ(link::ParseVersionLine(foreign[1]).country, 'D');
  EXPECT_TRUE(PairRight(foreign[1], foreign[1].size() - 4));
  const link::Bytes longLine = SentBlocks(Converse({"long-line"}).replies[1])[1];
  ASSERT_EQ(longLine.size(), 1100u);
  EXPECT_EQ(longLine[1098], '\r');
  EXPECT_EQ(std::count(longLine.begin(), longLine.end(), link::kLineFeed), 1);
  EXPECT_EQ(link::ParseVersionLine(longLine).country, 'S');
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
