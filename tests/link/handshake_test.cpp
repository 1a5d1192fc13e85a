// SPDX-License-Identifier: MIT
#include "link/handshake.h"

#include <gtest/gtest.h>

#include "support/recording_ui.h"
#include "support/scripted_port.h"

namespace nuvrel::link {
namespace {

using namespace std::chrono_literals;

class Handshake : public ::testing::Test {
 protected:
  test::FakeClock clock;
  test::ScriptedPort port{clock};
  test::RecordingUi ui;
  RegisterIdentity identity{1, 'S', ""};
  Channel channel{port, clock, ui, identity};

  std::vector<std::string> Messages() const { return ui.Texts(); }
};

TEST_F(Handshake, AnAckThatArrivesAtOnceIsTakenOnlyAfterThePause) {
  port.Arrive(AckFrame(1), 10ms);
  EXPECT_TRUE(AwaitAck(channel));
  EXPECT_GE(clock.Elapsed(), 100ms);
  EXPECT_LT(clock.Elapsed(), 200ms);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Handshake, ElevenBytesWaitingTenAreTakenTheEleventhStays) {
  Bytes reply = AckFrame(1);
  reply.push_back(0x55);
  port.Arrive(reply);
  EXPECT_TRUE(AwaitAck(channel));
  EXPECT_EQ(port.Unread(), 1u);
}

TEST_F(Handshake, AReplyInPiecesIsAssembled) {
  const Bytes reply = AckFrame(1);
  port.Arrive(Bytes(reply.begin(), reply.begin() + 3), 50ms);
  port.Arrive(Bytes(reply.begin() + 3, reply.end()), 1200ms);
  EXPECT_TRUE(AwaitAck(channel));
}

TEST_F(Handshake, ARefusalWhoseOtherBytesNeverComeIsATimeout) {
  port.Arrive(Bytes{kNakByte});
  EXPECT_FALSE(AwaitAck(channel));
  EXPECT_EQ(Messages(), std::vector<std::string>{"Timeout communicating with ECR!"});
  EXPECT_GT(clock.Elapsed(), 3000ms);
  EXPECT_LT(clock.Elapsed(), 3200ms);
}

TEST_F(Handshake, AReplyCompletedAfterThreeSecondsIsStillATimeout) {
  port.Arrive(AckFrame(1), 3050ms);
  EXPECT_FALSE(AwaitAck(channel));
  EXPECT_EQ(Messages(), std::vector<std::string>{"Timeout communicating with ECR!"});
}

TEST_F(Handshake, AHungUpLineEndsEveryWaitAtOnceAndSaysSo) {
  const std::string hungUp = "The ECR line was closed (hang-up)!";
  port.HangUpAfter(20ms);
  EXPECT_FALSE(AwaitAck(channel));
  EXPECT_FALSE(AwaitUploadEnd(channel));
  // A write into the closed line fails for the same reason.
  EXPECT_FALSE(SendCommand(channel, 'z'));
  EXPECT_EQ(Messages(), (std::vector<std::string>{hungUp, hungUp, hungUp}));
  EXPECT_LT(clock.Elapsed(), 500ms);
}

TEST_F(Handshake, AWriteThatFailsSaysSoAndWaitsForNothing) {
  port.FailWrites();
  EXPECT_FALSE(SendCommand(channel, 'z'));
  EXPECT_EQ(Messages(), std::vector<std::string>{"Cannot send data!"});
  EXPECT_EQ(clock.Elapsed(), 0ms);
}

class UploadEnd : public Handshake {
 protected:
  Bytes Packet(std::uint32_t device) {
    std::array<std::uint8_t, 12> body{'0', '0', '0', '0', '0', '0', '0', '0', '0', '0', '1', '2'};
    return UploadEndPacket(device, body);
  }
};

TEST_F(UploadEnd, IsAcknowledgedByThePc) {
  port.Arrive(Packet(1), 300ms);
  EXPECT_TRUE(AwaitUploadEnd(channel));
  ASSERT_EQ(port.Written().size(), 1u);
  EXPECT_EQ(port.Written()[0], AckFrame(1));
  // It blocks for the bytes instead of pausing: it returns as soon as the packet is complete.
  EXPECT_EQ(clock.Elapsed(), 300ms);
  EXPECT_EQ(clock.Slept(), 0ms);
}

TEST_F(UploadEnd, FaultsAreReportedAndNotAcknowledged) {
  Bytes wrongLetterAndDevice = Packet(2);
  wrongLetterAndDevice[7] = 'x';
  port.Arrive(wrongLetterAndDevice);
  EXPECT_FALSE(AwaitUploadEnd(channel));
  EXPECT_EQ(Messages(), std::vector<std::string>{"Bad ECR number received!"});
  EXPECT_TRUE(port.Written().empty());
}

TEST_F(UploadEnd, AnIncompletePacketTimesOutAfterThreeSeconds) {
  const Bytes packet = Packet(1);
  port.Arrive(Bytes(packet.begin(), packet.begin() + 22));
  EXPECT_FALSE(AwaitUploadEnd(channel));
  EXPECT_EQ(Messages(), std::vector<std::string>{"Timeout communicating with ECR!"});
  EXPECT_GT(clock.Elapsed(), 3000ms);
  EXPECT_LT(clock.Elapsed(), 3010ms);
}

}  // namespace
}  // namespace nuvrel::link
