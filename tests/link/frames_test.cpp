// SPDX-License-Identifier: MIT
#include "link/frames.h"

#include <gtest/gtest.h>

namespace nuvrel::link {
namespace {

Bytes B(std::initializer_list<int> values) {
  Bytes b;
  for (int v : values) b.push_back(static_cast<std::uint8_t>(v));
  return b;
}

TEST(CheckPair, CharactersStayInTheDigitsAndSixPunctuationMarks) {
  for (int x = 0; x < 256; ++x) {
    const std::uint8_t byte = static_cast<std::uint8_t>(x);
    const auto pair = CheckPair(std::span(&byte, 1));
    EXPECT_TRUE(pair[0] >= '0' && pair[0] <= '?' && pair[1] >= '0' && pair[1] <= '?') << x;
    EXPECT_TRUE(CheckPairMatches(std::span(&byte, 1), pair[0], pair[1])) << x;
  }
}

std::array<std::uint8_t, kReplySize> Reply(const Bytes& b) {
  std::array<std::uint8_t, kReplySize> r{};
  std::copy_n(b.begin(), kReplySize, r.begin());
  return r;
}

TEST(AckCheck, TestsRunInOrderRefusalCodeLineFeedPairDevice) {
  EXPECT_EQ(CheckAck(Reply(AckFrame(1)), 1), Fault::None);

  Bytes nak = AckFrame(1);
  nak[0] = kNakByte;
  nak[9] = 'x';  // a refusal is reported as such, whatever the rest holds
  EXPECT_EQ(CheckAck(Reply(nak), 1), Fault::Refused);

  Bytes wrongCode = AckFrame(1);
  wrongCode[0] = 0x0E;  // accepted by identification only
  EXPECT_EQ(CheckAck(Reply(wrongCode), 1), Fault::Invalid);

  Bytes noLf = AckFrame(1);
  noLf[9] = '\r';
  EXPECT_EQ(CheckAck(Reply(noLf), 1), Fault::Invalid);

  Bytes badPair = AckFrame(1);
  badPair[8] ^= 0x01;
  EXPECT_EQ(CheckAck(Reply(badPair), 1), Fault::BadCheckPair);

  // Another register's acknowledgement with a correct pair.
  EXPECT_EQ(CheckAck(Reply(AckFrame(2)), 1), Fault::WrongDevice);
}

TEST(UploadEndCheck, DeviceIsTestedBeforeTheLetter) {
  std::array<std::uint8_t, 12> body{};
  Bytes packet = UploadEndPacket(7, body);
  ASSERT_EQ(packet.size(), kUploadEndSize);
  std::array<std::uint8_t, kUploadEndSize> p{};
  std::copy(packet.begin(), packet.end(), p.begin());
  EXPECT_EQ(CheckUploadEnd(p, 7), Fault::None);

  p[7] = 'x';  // wrong letter and, below, wrong device
  EXPECT_EQ(CheckUploadEnd(p, 7), Fault::Invalid);
  EXPECT_EQ(CheckUploadEnd(p, 8), Fault::WrongDevice);

  std::copy(packet.begin(), packet.end(), p.begin());
  p[21] ^= 0x01;
  EXPECT_EQ(CheckUploadEnd(p, 7), Fault::BadCheckPair);
  p[0] = 0x06;
  EXPECT_EQ(CheckUploadEnd(p, 7), Fault::Invalid);
}

TEST(IdentifyReplyCheck, TakesBothCodesAndOnlyPossibleNumbers) {
  const struct {
    std::uint8_t code;
    const char* digits;
    Fault fault;
    std::uint32_t device;
  } cases[] = {
      {kAckByte, "123456", Fault::None, 123456},  // the code counts in the pair
      {kAltAckByte, "123456", Fault::None, 123456},
      {kAckByte, "  0042", Fault::None, 42},  // leading blanks are taken
      // Impossible numbers fail without a message.
      {kAckByte, "000000", Fault::Silent, 0},
      {kAckByte, "12A456", Fault::Silent, 0},
      {kAckByte, "      ", Fault::Silent, 0},
      {kAckByte, "-00001", Fault::Silent, 0},
      {kAckByte, "12345 ", Fault::Silent, 0},
      {kNakByte, "000001", Fault::Refused, 0},
      {0x07, "000001", Fault::Invalid, 0},
  };
  for (const auto& c : cases) {
    const Bytes reply = IdentifyReply(c.code, c.digits);
    std::array<std::uint8_t, kReplySize> r{};
    std::copy(reply.begin(), reply.end(), r.begin());
    const IdentifyResult result = CheckIdentifyReply(r);
    EXPECT_EQ(result.fault, c.fault) << c.digits;
    if (c.fault == Fault::None) {
      EXPECT_EQ(result.deviceNumber, c.device) << c.digits;
    }
  }
}

TEST(VersionLine, CountryAtTenAndVersionUpToTheTrailerIfAny) {
  Bytes line = TrailedLine(
      B({0xAA, '0', '0', '0', '0', '0', '1', 'V', '0', '0', 'S', ' ', 'v', '1', '.', '2'}));
  ASSERT_EQ(line.size(), 20u);
  const VersionInfo info = ParseVersionLine(line);
  EXPECT_EQ(info.country, 'S');
  EXPECT_EQ(info.version, "v1.2");  // bytes 12 to 15
  const VersionInfo shortLine = ParseVersionLine(
      B({0xAA, '0', '0', '0', '0', '0', '1', 'V', '0', '0', 'D', ' ', 0x0D, 0x0A}));
  EXPECT_EQ(shortLine.country, 'D');
  EXPECT_EQ(shortLine.version, "");
  EXPECT_EQ(ParseVersionLine(B({0xAA, 0x0A})).country, 0);
}

}  // namespace
}  // namespace nuvrel::link
