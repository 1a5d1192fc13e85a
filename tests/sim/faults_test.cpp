// SPDX-License-Identifier: MIT
// --fault faults: names, default frames, @N and :P, and their lookup by frame number.
#include "sim/faults.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace nuvrel::sim
