// SPDX-License-Identifier: MIT
// The request-reply exchange with the register: commands, acknowledgements and the end of an
// upload. Every operation that returns false has already shown its one message; callers only close
// the port.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

#include "link/clock.h"
#include "link/frames.h"
#include "link/transport.h"

namespace nuvrel::app {
class Ui;
}

namespace nuvrel::link {

// A reply must be complete this long after its first read.
inline constexpr auto kReplyTimeout = std::chrono::milliseconds(3000);
// The pause before every test of a 10-byte reply's byte count, so an acknowledgement is never taken
// sooner than this after its wait began.
inline constexpr auto kCountPause = std::chrono::milliseconds(100);

// What the last identification learnt; held for the whole run of the program.
struct RegisterIdentity {
  std::uint32_t deviceNumber = 0;  // 0 until a register has identified itself
  char country = 0;
  std::string version;
};

// An open exchange with the register.
struct Channel {
  Transport& port;
  Clock& clock;
  app::Ui& ui;
  RegisterIdentity& identity;
};

// Writes a frame; on failure shows "Cannot send data!", or the hang-up message when the register
// has closed the line.
bool SendFrame(Channel& channel, std::span<const std::uint8_t> frame);

// Receives exactly 10 bytes the way every 10-byte reply is received: the time-out counts from the
// first read over the whole reply, and each test of the count comes after a 100 ms pause. Bytes
// beyond the tenth stay queued. A line that hangs up ends the wait at once (Fault::HungUp). Shows
// nothing.
Fault ReceiveReply(Channel& channel, std::span<std::uint8_t, kReplySize> reply);

// Receives and checks one acknowledgement.
bool AwaitAck(Channel& channel);

// Sends the command frame for the letter and awaits its acknowledgement.
bool SendCommand(Channel& channel, char letter);

// Receives and checks the 23-byte upload end packet, then answers it with the PC acknowledgement.
bool AwaitUploadEnd(Channel& channel);

}  // namespace nuvrel::link
