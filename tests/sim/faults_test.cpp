// SPDX-License-Identifier: MIT
// --fault faults: what is refused, and how they count frames in a register: one conversation
// (identify, V, a, one record, z and the PC's acknowledgement) run with a fault that finds nothing
// to bend.
#include "sim/faults.h"

#include <gtest/gtest.h>

#include <string>

#include "sim/register.h"
#include "sim_test_util.h"

namespace nuvrel::sim {
namespace {

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

}  // namespace
}  // namespace nuvrel::sim
