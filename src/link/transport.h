// SPDX-License-Identifier: MIT
// The byte transport under the protocol: a real serial port, a pseudo-terminal (the same code
// path), a connection to a serial device server, or an in-memory loopback in the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "link/clock.h"

namespace nuvrel::link {

enum class WaitResult { Readable, TimedOut, HungUp };

class Transport {
 public:
  virtual ~Transport() = default;

  // Sends the bytes and returns when they have left the transmitter; false when they could not be
  // sent.
  virtual bool Write(std::span<const std::uint8_t> bytes) = 0;

  // Copies bytes that are already waiting, at most out.size(); never waits. Returns how many.
  virtual std::size_t ReadAvailable(std::span<std::uint8_t> out) = 0;

  // Drops whatever is waiting.
  virtual void Purge() = 0;

  // Blocks until a byte is waiting, the time-out passes, or the line has hung up.
  virtual WaitResult WaitReadable(Clock::Duration timeout) = 0;

  // Why the line was lost, naming where it led ("tcp://host:4001: the server closed the
  // connection"); empty when there is no more to say than that it hung up.
  virtual std::string LostReason() const { return {}; }

  // What the person should be told once the line is open (a plain connection across a network
  // that is not private); empty for most lines.
  virtual std::string OpenWarning() const { return {}; }
};

}  // namespace nuvrel::link
