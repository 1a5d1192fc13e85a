// SPDX-License-Identifier: MIT
// The clock that the protocol's time-outs and pauses run on. Tests replace it with a fake one, so
// the timing can be checked without real waits.
#pragma once

#include <chrono>

namespace nuvrel::link {

class Clock {
 public:
  using Duration = std::chrono::steady_clock::duration;
  using TimePoint = std::chrono::steady_clock::time_point;

  virtual ~Clock() = default;
  virtual TimePoint Now() = 0;
  virtual void SleepFor(Duration d) = 0;
};

class SteadyClock final : public Clock {
 public:
  TimePoint Now() override;
  void SleepFor(Duration d) override;
};

// The process's real clock.
Clock& SystemClock();

}  // namespace nuvrel::link
