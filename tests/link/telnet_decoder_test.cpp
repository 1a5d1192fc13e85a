// SPDX-License-Identifier: MIT
// Telnet decoding of what a serial device server sends: line bytes and commands apart, however
// the bytes arrive, and nothing a server sends makes the decoder keep more than its limit.
#include <gtest/gtest.h>

#include "link/telnet_com_port.h"

namespace nuvrel::link {
namespace {

using namespace telnet;

constexpr std::uint8_t kNop = 241;

TEST(TelnetDecoder, SplitsLineBytesFromCommandsWhereverTheyAreCut) {
  const Bytes in = {'A', kIac, kIac, 'B',  kIac, kWill, kEcho, kIac, kSb, kComPort,
                    105, kIac, kIac, kIac, kSe,  'C',   kIac,  kNop, 'D'};
  for (std::size_t cut = 0; cut <= in.size(); ++cut) {
    Decoder decoder;
    Bytes line;
    std::vector<Command> commands;
    decoder.Feed(std::span(in).first(cut), line, commands);
    decoder.Feed(std::span(in).subspan(cut), line, commands);
    EXPECT_EQ(line, (Bytes{'A', 0xFF, 'B', 'C', 'D'})) << cut;
    ASSERT_EQ(commands.size(), 2u) << cut;
    EXPECT_EQ(commands[0].verb, kWill);
    EXPECT_EQ(commands[0].option, kEcho);
    EXPECT_EQ(commands[1].verb, kSb);
    EXPECT_EQ(commands[1].value, (Bytes{105, 0xFF}));
  }
}

TEST(TelnetDecoder, AnOverlongSubnegotiationIsDroppedWhole) {
  Bytes in{kIac, kSb, kComPort};
  in.insert(in.end(), Decoder::kSubLimit + 1000, 'x');
  in.insert(in.end(), {kIac, kSe, kIac, kDo, kBinary, 'z'});
  Decoder decoder;
  Bytes line;
  std::vector<Command> commands;
  decoder.Feed(in, line, commands);
  EXPECT_EQ(line, Bytes{'z'});
  ASSERT_EQ(commands.size(), 1u);
  EXPECT_EQ(commands[0].verb, kDo);
}

}  // namespace
}  // namespace nuvrel::link
