// SPDX-License-Identifier: MIT
// EcrLink on a real pseudo-terminal: the same code path as a serial port.
#include "link/ecr_link.h"

#include <gtest/gtest.h>

#include <thread>

#include "link/frames.h"
#include "support/pty_pair.h"

namespace nuvrel::link {
namespace {

using namespace std::chrono_literals;

class EcrLinkOnPty : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!pty.Ok()) GTEST_SKIP() << "no pseudo-terminal available";
  }
  bool OpenCom1(EcrLink& link) { return link.Open(1); }

  test::PtyPair pty;
  PortMap ports = PortMap::AllTo(pty.SlavePath());
};

TEST_F(EcrLinkOnPty, ThePortNumberIsCheckedBeforeAnyDevice) {
  EcrLink link(ports);
  EXPECT_FALSE(link.Open(0));
  EXPECT_FALSE(link.Open(5));
  EXPECT_TRUE(link.LastFailure().device.empty());
  // Only the low 16 bits count: 0x10001 is COM1.
  EXPECT_TRUE(link.Open(0x10001));
}

TEST_F(EcrLinkOnPty, EverySupportedRateOpens) {
  for (const Baud baud : kBaudRates) {
    EcrLink link(ports);
    LineSettings settings;
    settings.baud = baud;
    EXPECT_TRUE(link.Open(1, settings)) << BitsPerSecond(baud);
  }
}

TEST_F(EcrLinkOnPty, ASecondOpenOfTheSameDeviceFails) {
  EcrLink first(ports);
  ASSERT_TRUE(OpenCom1(first));
  EcrLink second(ports);
  EXPECT_FALSE(OpenCom1(second));
  EXPECT_EQ(second.LastFailure().device, pty.SlavePath());
  first.Close();
  EXPECT_TRUE(OpenCom1(second));
}

TEST_F(EcrLinkOnPty, BytesWaitingBeforeTheOpenArePurged) {
  pty.Send({1, 2, 3, 4, 5});
  std::this_thread::sleep_for(20ms);
  EcrLink link(ports);
  ASSERT_TRUE(OpenCom1(link));
  std::array<std::uint8_t, 16> buffer{};
  EXPECT_EQ(link.ReadAvailable(buffer), 0u);
}

TEST_F(EcrLinkOnPty, ReadAvailableTakesAtMostWhatItIsAskedAndNeverWaits) {
  EcrLink link(ports);
  ASSERT_TRUE(OpenCom1(link));
  std::array<std::uint8_t, 10> buffer{};
  EXPECT_EQ(link.ReadAvailable(buffer), 0u);

  std::vector<std::uint8_t> thirty(30);
  for (std::size_t i = 0; i < thirty.size(); ++i) thirty[i] = static_cast<std::uint8_t>(i);
  pty.Send(thirty);
  ASSERT_EQ(link.WaitReadable(1s), WaitResult::Readable);
  std::this_thread::sleep_for(20ms);
  EXPECT_EQ(link.ReadAvailable(buffer), 10u);
  EXPECT_EQ(buffer[9], 9);
  std::array<std::uint8_t, 64> rest{};
  EXPECT_EQ(link.ReadAvailable(rest), 20u);
  EXPECT_EQ(rest[0], 10);
}

// A block larger than the line can take at once drains as the far end reads; the write fails only
// when the far end stops reading altogether, however long the whole block takes.
TEST_F(EcrLinkOnPty, AWriteFailsOnAStalledLineNotOnASlowOne) {
  LineSettings settings;
  settings.pacePseudoTerminal = false;  // the far end's reading is the only pace
  settings.writeStall = 150ms;
  OpenFailure failure;
  auto device = OpenSerialDevice(pty.SlavePath(), settings, failure);
  ASSERT_NE(device, nullptr) << failure.reason;
  std::vector<std::uint8_t> block(96 * 1024);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(i * 7);

  std::vector<std::uint8_t> received;
  std::thread slowReader([&] {
    while (received.size() < block.size()) {
      const auto some = pty.Receive(1000, 4096);
      if (some.empty()) break;
      received.insert(received.end(), some.begin(), some.end());
      std::this_thread::sleep_for(25ms);  // about 160 KB a second: the whole block takes > 150 ms
    }
  });
  EXPECT_TRUE(device->Write(block));
  slowReader.join();
  EXPECT_EQ(received, block);

  EXPECT_FALSE(device->Write(block)) << "nobody reads: the line's buffers fill, then nothing moves";
}

TEST(EcrLinkWithoutDevice, AFileThatIsNotATerminalIsRefused) {
  EcrLink link(PortMap::AllTo("/dev/null"));
  EXPECT_FALSE(link.Open(1));
  std::array<std::uint8_t, 4> buffer{};
  EXPECT_FALSE(link.Write(buffer));
  EXPECT_EQ(link.ReadAvailable(buffer), 0u);
}

}  // namespace
}  // namespace nuvrel::link
