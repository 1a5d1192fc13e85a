// SPDX-License-Identifier: MIT
// An in-memory transport on a fake clock. Bytes "arrive" at given times; a responder can answer
// each written frame, as a register would, by scheduling more arrivals.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "link/frames.h"
#include "link/transport.h"
#include "support/fake_clock.h"

namespace nuvrel::test {

class ScriptedPort final : public link::Transport {
 public:
  using Responder = std::function<void(ScriptedPort&, const link::Bytes& written)>;

  explicit ScriptedPort(FakeClock& clock) : m_clock(clock) {}

  // Schedules bytes to arrive `after` from now.
  void Arrive(const link::Bytes& bytes, link::Clock::Duration after = {});
  // Hangs up the line `after` from now: no more bytes arrive, waits report the hang-up.
  void HangUpAfter(link::Clock::Duration after) { m_hangUpAt = m_clock.Now() + after; }
  void SetResponder(Responder responder) { m_responder = std::move(responder); }
  void FailWrites() { m_failWrites = true; }

  const std::vector<link::Bytes>& Written() const { return m_written; }
  // Bytes that arrived but have not been read.
  std::size_t Unread() const;
  FakeClock& Clock() { return m_clock; }

  bool Write(std::span<const std::uint8_t> bytes) override;
  std::size_t ReadAvailable(std::span<std::uint8_t> out) override;
  void Purge() override;
  link::WaitResult WaitReadable(link::Clock::Duration timeout) override;

 private:
  struct Arrival {
    link::Clock::TimePoint at;
    std::uint8_t byte;
  };
  bool HungUp() const { return m_hangUpAt && m_clock.Now() >= *m_hangUpAt; }

  FakeClock& m_clock;
  std::deque<Arrival> m_arrivals;
  std::optional<link::Clock::TimePoint> m_hangUpAt;
  std::vector<link::Bytes> m_written;
  Responder m_responder;
  bool m_failWrites = false;
};

}  // namespace nuvrel::test
