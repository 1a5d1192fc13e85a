// SPDX-License-Identifier: MIT
// The simulated line takes the PC's bytes at the line's pace, on a real pseudo-terminal, with the
// times handed in.
#include "sim/line_reader.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <thread>

#include "app/unique_fd.h"
#include "support/pty_pair.h"

namespace nuvrel::sim {
namespace {

using namespace std::chrono_literals;
using Clock = LineReader::Clock;

// The simulator's end of a raw pseudo-terminal, opened without blocking; PcWrites sends n bytes
// counting up from 0 from the other end, as the PC would, and waits until they are through.
class Pty {
 public:
  Pty() : fd(::open(pair.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK)) {}
  void PcWrites(std::size_t n) {
    std::vector<std::uint8_t> bytes(n);
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(i);
    pair.Send(bytes);
    std::this_thread::sleep_for(20ms);  // the terminal hands the bytes over asynchronously
  }
  test::PtyPair pair;
  app::UniqueFd fd;
};

constexpr auto kByte = std::chrono::microseconds(1000);

TEST(LineReader, TakesBytesOnlyAsTheLineCarriesThem) {
  Pty pty;
  ASSERT_TRUE(pty.fd.Valid());
  LineReader reader(pty.fd.Get(), kByte);
  std::array<std::uint8_t, 256> buffer{};
  const Clock::time_point t0 = Clock::now();

  pty.PcWrites(120);
  // The burst starts when first seen; its first byte has arrived one byte time later.
  EXPECT_EQ(reader.Read(buffer, t0), 0);
  EXPECT_EQ(reader.NextDue(), t0 + kByte);
  ASSERT_EQ(reader.Read(buffer, t0 + 10 * kByte + kByte / 2), 10);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(buffer[9], 9);
  EXPECT_EQ(reader.NextDue(), t0 + 11 * kByte);
  // Long after, the rest comes at once and the line goes quiet.
  ASSERT_EQ(reader.Read(buffer, t0 + 500 * kByte), 110);
  EXPECT_EQ(buffer[109], 119);
  EXPECT_FALSE(reader.NextDue());

  // A burst written while the line is still busy starts when the line is free: the last byte
  // taken above had arrived at t0 + 120 byte times.
  const Clock::time_point free = t0 + 120 * kByte;
  pty.PcWrites(3);
  EXPECT_EQ(reader.Read(buffer, free - 50 * kByte), 0);
  EXPECT_EQ(reader.NextDue(), free + kByte);
  EXPECT_EQ(reader.Read(buffer, free + 3 * kByte), 3);
}

TEST(LineReader, WithoutARateTakesEverythingAtOnce) {
  Pty pty;
  ASSERT_TRUE(pty.fd.Valid());
  LineReader reader(pty.fd.Get(), std::chrono::nanoseconds{});
  std::array<std::uint8_t, 256> buffer{};
  pty.PcWrites(100);
  EXPECT_EQ(reader.Read(buffer, Clock::now()), 100);
  EXPECT_FALSE(reader.NextDue());
  EXPECT_EQ(reader.Read(buffer, Clock::now()), 0);  // nothing waiting is not the end of the line
  EXPECT_FALSE(reader.Closed());
}

}  // namespace
}  // namespace nuvrel::sim
