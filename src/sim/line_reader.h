// SPDX-License-Identifier: MIT
// The receiving side of the simulated line. Without a rate it takes whatever the PC wrote at once.
// With one it takes bytes off the pseudo-terminal only as fast as the line would deliver them (10
// bits a byte): the register sees each byte when its stop bit would have arrived, and what the PC
// wrote and the line has not carried yet waits in the terminal.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace nuvrel::sim {

class LineReader {
 public:
  using Clock = std::chrono::steady_clock;

  // Reads masterFd; byteTime zero: no pacing.
  LineReader(int masterFd, std::chrono::nanoseconds byteTime);

  // When the line delivers its next byte, while a burst is on the line; nullopt when the reader
  // simply waits for the master to become readable.
  std::optional<Clock::time_point> NextDue() const;

  // Takes what the line has delivered by now, at most out.size(). 0: nothing yet (see NextDue);
  // -1: read failed (errno says why; EAGAIN is not a failure but returns 0).
  ssize_t Read(std::span<std::uint8_t> out, Clock::time_point now);

  // True once a read found the line closed (end of file).
  bool Closed() const { return m_closed; }

 private:
  int m_master;
  std::chrono::nanoseconds m_byteTime;
  std::optional<Clock::time_point> m_burstStart;  // when the first byte of the burst began
  std::size_t m_taken = 0;                        // bytes of the burst taken so far
  Clock::time_point m_lineFreeAt{};               // when the last byte taken had fully arrived
  bool m_closed = false;
};

}  // namespace nuvrel::sim
