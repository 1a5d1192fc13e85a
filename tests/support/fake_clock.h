// SPDX-License-Identifier: MIT
// A clock that only moves when the code under test sleeps or waits.
#pragma once

#include "link/clock.h"

namespace nuvrel::test {

class FakeClock final : public link::Clock {
 public:
  TimePoint Now() override { return m_now; }
  void SleepFor(Duration d) override {
    if (d > Duration::zero()) m_now += d;
    m_slept += d;
  }
  void Advance(Duration d) { m_now += d; }
  // Time since the clock was made.
  Duration Elapsed() const { return m_now - TimePoint{}; }
  // Time spent in SleepFor (the protocol's pauses), as against waiting for bytes.
  Duration Slept() const { return m_slept; }

 private:
  TimePoint m_now{};
  Duration m_slept{};
};

}  // namespace nuvrel::test
