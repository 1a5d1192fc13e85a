// SPDX-License-Identifier: MIT
// How faults count frames: one conversation (identify, V, a, one record, z and the PC's
// acknowledgement) run with a fault that finds nothing to bend, and refusals counted as frames.
#include <gtest/gtest.h>

#include <string>

#include "sim/register.h"
#include "sim_test_util.h"

namespace nuvrel::sim {
namespace {

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
