// SPDX-License-Identifier: MIT
// --fault faults: names, default frames, @N and :P, their lookup by frame number, and how they
// count frames in a register: one conversation (identify, V, a, one record, z and the PC's
// acknowledgement) run with a fault that finds nothing to bend, and refusals counted as frames.
#include "sim/faults.h"

#include <gtest/gtest.h>

#include <string>

#include "sim/register.h"
#include "sim_test_util.h"

namespace nuvrel::sim {
namespace {

FaultSpec Parsed(const char* text) {
  const FaultParse parsed = ParseFaultSpec(text);
  EXPECT_TRUE(parsed.fault) << text << ": " << parsed.error;
  return parsed.fault.value_or(FaultSpec{});
}

TEST(FaultSpecs, FrameAndPartAreTaken) {
  EXPECT_EQ(Parsed("crc@7"), (FaultSpec{FaultKind::Crc, 7, 1}));
  EXPECT_EQ(Parsed("wrong-device@2405:2"), (FaultSpec{FaultKind::WrongDevice, 2405, 2}));
  EXPECT_EQ(Parsed("long-line@9"), (FaultSpec{FaultKind::LongLine, 9, 1}));
  EXPECT_EQ(FormatFaultSpec(Parsed("hangup@4:2")), "hangup@4:2");
  EXPECT_EQ(FormatFaultSpec(Parsed("nak")), "nak@1");
  // The report kinds count P in report lines; their default P is left out.
  EXPECT_EQ(Parsed("report-stops@5:1"), (FaultSpec{FaultKind::ReportStops, 5, 1}));
  EXPECT_EQ(FormatFaultSpec(Parsed("report-stops@5:1")), "report-stops@5:1");
  EXPECT_EQ(FormatFaultSpec(Parsed("long-report-line")), "long-report-line@3");
}

TEST(FaultSpecs, MalformedSpecsAreRefusedWithAReason) {
  for (const char* text :
       {"", "NAK", "nak ", "timeout", "nak@", "nak@0", "nak@x", "nak@1x", "nak@-1",
        "nak@1:", "nak@1:0", "nak@1:2:3", "nak:2", "nak@99999999999", "foreign-country@2:2",
        "long-line@2:1", "no-group-nine@3:1", "report-noise@3:2", "report-stops@3:0"}) {
    const FaultParse parsed = ParseFaultSpec(text);
    EXPECT_FALSE(parsed.fault) << text;
    EXPECT_FALSE(parsed.error.empty()) << text;
  }
}

TEST(FaultPlanLookup, FindsTheFaultsOfOneFrameInOrder) {
  const FaultPlan plan(
      {{FaultKind::Garbage, 3, 1}, {FaultKind::Nak, 1, 1}, {FaultKind::Crc, 3, 2}});
  EXPECT_EQ(plan.ForFrame(3),
            (std::vector<FaultSpec>{{FaultKind::Garbage, 3, 1}, {FaultKind::Crc, 3, 2}}));
  EXPECT_EQ(plan.ForFrame(1).size(), 1u);
  EXPECT_TRUE(plan.ForFrame(2).empty());
  EXPECT_TRUE(FaultPlan().ForFrame(1).empty());
}

using test::kDevice;
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
