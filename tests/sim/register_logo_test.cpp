// SPDX-License-Identifier: MIT
// Receiving a logo: the sizes refused, a logo for another register, a logo that stops, its place in
// the frame count, and what counts as a header.
#include <gtest/gtest.h>

#include "sim/logo.h"
#include "sim/register.h"
#include "sim_test_util.h"

namespace nuvrel::sim {
namespace {

using test::kDevice;
using test::LogoFile;
using test::LogoHeader;
using test::Refusal;
using test::SentBytes;

Register MakeRegister(std::vector<FaultSpec> faults = {}) {
  return Register(RegisterSettings{}, FaultPlan(std::move(faults)));
}

TEST(LogoReceive, SizesOutsideTheLimitsAreRefusedAtOnce) {
  for (std::uint32_t size : {0u, 25u, kLargestLogo + 1, 0xFFFFFFFFu}) {
    Register reg = MakeRegister();
    reg.Feed(LogoHeader("123456"));
    const auto actions = reg.Feed(LogoFile(6, size));
    EXPECT_EQ(SentBytes(actions), Refusal()) << size;
    ASSERT_EQ(test::NotesOf(actions).size(), 1u);
    EXPECT_NE(test::NotesOf(actions)[0].find(std::to_string(size)), std::string::npos);
    EXPECT_FALSE(reg.ReceivingLogo());
    EXPECT_FALSE(reg.Tables().logo);
    // Hunting frames again.
    EXPECT_EQ(SentBytes(reg.Feed(link::CommandFrame(kDevice, 'a'))), link::AckFrame(kDevice));
  }
  // The largest is taken.
  Register reg = MakeRegister();
  reg.Feed(LogoHeader("123456"));
  EXPECT_EQ(SentBytes(reg.Feed(LogoFile(kLargestLogo, kLargestLogo))), link::AckFrame(kDevice));
}

TEST(LogoReceive, ALogoForAnotherRegisterIsReadWholeThenRefused) {
  Register reg = MakeRegister();
  reg.Feed(LogoHeader("654321"));
  const link::Bytes file = LogoFile(40, 40);
  EXPECT_TRUE(SentBytes(reg.Feed(std::span(file).first(39))).empty());
  EXPECT_EQ(SentBytes(reg.Feed(std::span(file).last(1))), Refusal());
  EXPECT_FALSE(reg.Tables().logo);
}

TEST(LogoReceive, FaultsCountTheLogoAsOneFrame) {
  // Refused by fault: nothing kept.
  Register refused = MakeRegister({FaultSpec{FaultKind::Nak, 2, 1}});
  refused.Feed(link::IdentifyRequest());
  refused.Feed(LogoHeader("123456"));
  const auto actions = refused.Feed(LogoFile(30, 30));
  EXPECT_EQ(SentBytes(actions), Refusal());
  EXPECT_FALSE(refused.Tables().logo);
  EXPECT_FALSE(test::HasAction(actions, ActionKind::Save));

  // The reply is lost, but the register took the logo; the next frame is frame 2.
  Register silent = MakeRegister({FaultSpec{FaultKind::Silence, 1, 1}, {FaultKind::Crc, 2, 1}});
  silent.Feed(LogoHeader("000000"));
  EXPECT_TRUE(SentBytes(silent.Feed(LogoFile(30, 30))).empty());
  EXPECT_TRUE(silent.Tables().logo);
  const link::Bytes ack = SentBytes(silent.Feed(link::CommandFrame(kDevice, 'a')));
  EXPECT_EQ(link::CheckAck(std::span<const std::uint8_t, 10>(ack.data(), 10), kDevice),
            link::Fault::BadCheckPair);
}

TEST(LogoHeaders, OnlyStartByteSixDigitsAndR) {
  EXPECT_TRUE(IsLogoHeader(LogoHeader("000042")));
  EXPECT_FALSE(IsLogoHeader(LogoHeader("00004A")));
  EXPECT_FALSE(IsLogoHeader(link::BeginFrame(42, 'r')));
  link::Bytes noStart = LogoHeader("000042");
  noStart[0] = 0xAB;
  EXPECT_FALSE(IsLogoHeader(noStart));
  EXPECT_EQ(LogoFileProblem(LogoFile(26, 26)), std::nullopt);
  EXPECT_TRUE(LogoFileProblem(LogoFile(27, 26)));
  EXPECT_TRUE(LogoFileProblem(LogoFile(5, 5)));
}

}  // namespace
}  // namespace nuvrel::sim
