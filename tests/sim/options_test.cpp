// SPDX-License-Identifier: MIT
// ecrsim's command line: defaults, every option in both spellings, and the values it refuses.
#include "sim/options.h"

#include <gtest/gtest.h>

namespace nuvrel::sim {
namespace {

OptionsParse Parse(std::vector<std::string> args) {
  return ParseOptions(args);
}

TEST(SimOptions, DefaultsAndValuesAtTheirLimits) {
  const OptionsParse parsed = Parse({});
  ASSERT_FALSE(parsed.error) << *parsed.error;
  const Options& o = parsed.options;
  EXPECT_EQ(o.serial, 123456u);
  EXPECT_EQ(o.country, 'S');
  EXPECT_EQ(o.firmware, "NV-2.21");
  EXPECT_EQ(o.baud, 0u);  // no pacing
  EXPECT_FALSE(o.help || o.version || o.linkPath || o.tracePath || o.statePath);
  // Values at their limits are taken; serial 0 is there for probing.
  for (auto [serial, value] : {std::pair{"0", 0u}, {"999999", 999999u}, {"000017", 17u}})
    EXPECT_EQ(Parse({"--serial", serial}).options.serial, value);
  // 12 + 1007 + 4 = 1023 bytes: the longest version line.
  EXPECT_EQ(Parse({"--firmware", std::string(1007, 'v')}).options.firmware.size(), 1007u);
  EXPECT_TRUE(Parse({"-h"}).options.help);
  EXPECT_NE(UsageText().find("--fault"), std::string_view::npos);
}

TEST(SimOptions, EveryOptionInBothSpellings) {
  const OptionsParse parsed =
      Parse({"--serial", "42", "--country=D", "--firmware", "NV 3.0 beta", "--link=/tmp/ecr",
             "--trace", "t.log", "--baud=9600", "--state", "/tmp/ecr-state", "--fault", "crc@3",
             "--fault=hangup", "--fault", "nak@2:2"});
  ASSERT_FALSE(parsed.error) << *parsed.error;
  const Options& o = parsed.options;
  EXPECT_EQ(o.serial, 42u);
  EXPECT_EQ(o.country, 'D');
  EXPECT_EQ(o.firmware, "NV 3.0 beta");
  EXPECT_EQ(o.linkPath, "/tmp/ecr");
  EXPECT_EQ(o.tracePath, "t.log");
  EXPECT_EQ(o.statePath, "/tmp/ecr-state");
  EXPECT_EQ(o.baud, 9600u);
  EXPECT_EQ(o.faults,
            (std::vector<FaultSpec>{
                {FaultKind::Crc, 3, 1}, {FaultKind::HangUp, 1, 1}, {FaultKind::Nak, 2, 2}}));
}

TEST(SimOptions, UnusableCommandLinesAreRefusedWithAReason) {
  const std::vector<std::vector<std::string>> bad{
      {"--serial", "1000000"},
      {"--serial", "abc"},
      {"--serial", "-1"},
      {"--serial", "12x"},
      {"--serial", ""},
      {"--serial"},
      {"--country", "SS"},
      {"--country", "1"},
      {"--country="},
      {"--baud", "fast"},
      {"--baud", "-9600"},
      {"--fault", "nope"},
      {"--fault", "nak@0"},
      {"--link", ""},
      {"--trace="},
      {"--state", ""},
      {"--state"},
      {"--colour"},
      {"serial"},
      {"-s", "1"},
      {"--firmware", std::string(1008, 'v')},
      {"--firmware", "a\nb"},
      {"--version=NV-2.21"},
      {"--help=1"},
  };
  for (const auto& args : bad) {
    const OptionsParse parsed = ParseOptions(args);
    std::string joined;
    for (const std::string& a : args) joined += a + ' ';
    ASSERT_TRUE(parsed.error) << joined;
    EXPECT_FALSE(parsed.error->empty()) << joined;
  }
}

}  // namespace
}  // namespace nuvrel::sim
