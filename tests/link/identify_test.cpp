// SPDX-License-Identifier: MIT
#include "link/identify.h"

#include <gtest/gtest.h>

#include "support/recording_ui.h"
#include "support/scripted_port.h"

namespace nuvrel::link {
namespace {

using namespace std::chrono_literals;

// A register on the scripted port, with knobs for what it gets wrong.
struct FakeRegister {
  std::uint8_t code = kAckByte;
  std::string digits = "000042";
  char country = 'S';
  std::string version = "v1.2";
  std::size_t versionPadding = 0;
  bool answerVersion = true;

  Bytes VersionLine() const {
    Bytes head{kStartByte};
    head.insert(head.end(), digits.begin(), digits.end());
    head.push_back('V');
    head.push_back('0');
    head.push_back('0');
    head.push_back(static_cast<std::uint8_t>(country));
    head.push_back(' ');
    head.insert(head.end(), version.begin(), version.end());
    head.insert(head.end(), versionPadding, '.');
    return TrailedLine(head);
  }

  void Attach(test::ScriptedPort& port) {
    port.SetResponder([this](test::ScriptedPort& p, const Bytes& written) {
      if (written == IdentifyRequest()) {
        p.Arrive(IdentifyReply(code, digits), 5ms);
      } else if (written.size() == kCommandSize && written[7] == 'V') {
        p.Arrive(AckFrame(42), 5ms);
        if (answerVersion) p.Arrive(VersionLine(), 30ms);
      }
    });
  }
};

class Identify : public ::testing::Test {
 protected:
  void SetUp() override { reg.Attach(port); }

  test::FakeClock clock;
  test::ScriptedPort port{clock};
  test::RecordingUi ui;
  RegisterIdentity identity;
  Channel channel{port, clock, ui, identity};
  FakeRegister reg;
};

TEST_F(Identify, TheAlternativeReplyCodeIdentifiesToo) {
  reg.code = kAltAckByte;
  EXPECT_TRUE(IdentifyRegister(channel));
}

TEST_F(Identify, AVersionLineOfTheLimitIsInvalidEvenWhenItsLastByteIsTheLineFeed) {
  // 12 bytes of head, the version, 4 of trailer: make the whole line exactly 1024 bytes.
  reg.version = "";
  reg.versionPadding = 1024 - 12 - 4;
  ASSERT_EQ(reg.VersionLine().size(), kVersionLineLimit);
  EXPECT_FALSE(IdentifyRegister(channel));
  EXPECT_EQ(ui.Texts(), std::vector<std::string>{"Invalid data received!"});

  ui.messages.clear();
  reg.versionPadding = 1023 - 12 - 4;
  test::ScriptedPort fresh(clock);
  reg.Attach(fresh);
  Channel c{fresh, clock, ui, identity};
  EXPECT_TRUE(IdentifyRegister(c));
}

}  // namespace
}  // namespace nuvrel::link
