// SPDX-License-Identifier: MIT
#include "link/handshake.h"

#include "app/ui.h"
#include "link/faults.h"

namespace nuvrel::link {

bool SendFrame(Channel& channel, std::span<const std::uint8_t> frame) {
  if (channel.port.Write(frame)) return true;
  // A write into a line that the register has closed fails too; say which it was.
  const bool hungUp = channel.port.WaitReadable(Clock::Duration::zero()) == WaitResult::HungUp;
  Report(channel.ui, hungUp ? Fault::HungUp : Fault::SendFailed, channel.port);
  return false;
}

Fault ReceiveReply(Channel& channel, std::span<std::uint8_t, kReplySize> reply) {
  const auto start = channel.clock.Now();
  auto late = [&] { return channel.clock.Now() - start > kReplyTimeout; };

  std::size_t got = channel.port.ReadAvailable(reply);
  if (late()) return Fault::Timeout;
  for (;;) {
    // Each test of the count comes after the pause and a fresh read, so a reply that is on the line
    // by the end of the pause is taken then, not one pause later.
    channel.clock.SleepFor(kCountPause);
    got += channel.port.ReadAvailable(reply.subspan(got));
    if (late()) return Fault::Timeout;
    if (got == kReplySize) return Fault::None;
    // A line that has hung up will never complete the reply: report it now, not 3 s later.
    if (channel.port.WaitReadable(Clock::Duration::zero()) == WaitResult::HungUp)
      return Fault::HungUp;
  }
}

bool AwaitAck(Channel& channel) {
  std::array<std::uint8_t, kReplySize> reply{};
  Fault fault = ReceiveReply(channel, reply);
  if (fault == Fault::None) fault = CheckAck(reply, channel.identity.deviceNumber);
  Report(channel.ui, fault, channel.port);
  return fault == Fault::None;
}

bool SendCommand(Channel& channel, char letter) {
  const Bytes frame = CommandFrame(channel.identity.deviceNumber, letter);
  return SendFrame(channel, frame) && AwaitAck(channel);
}

bool AwaitUploadEnd(Channel& channel) {
  std::array<std::uint8_t, kUploadEndSize> packet{};
  const auto deadline = channel.clock.Now() + kReplyTimeout;
  std::size_t got = 0;
  for (;;) {
    got += channel.port.ReadAvailable(std::span(packet).subspan(got));
    if (got == packet.size()) break;
    const auto left = deadline - channel.clock.Now();
    if (left < Clock::Duration::zero()) {
      Report(channel.ui, Fault::Timeout, channel.port);
      return false;
    }
    // Block for the time left (and a little more, so that "more than 3000 ms" is really passed).
    if (channel.port.WaitReadable(left + std::chrono::milliseconds(1)) == WaitResult::HungUp) {
      Report(channel.ui, Fault::HungUp, channel.port);
      return false;
    }
  }
  const Fault fault = CheckUploadEnd(packet, channel.identity.deviceNumber);
  if (fault != Fault::None) {
    Report(channel.ui, fault, channel.port);
    return false;
  }
  return SendFrame(channel, AckFrame(channel.identity.deviceNumber));
}

}  // namespace nuvrel::link
