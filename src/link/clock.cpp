// SPDX-License-Identifier: MIT
#include "link/clock.h"

#include <thread>

namespace nuvrel::link {

Clock::TimePoint SteadyClock::Now() {
  return std::chrono::steady_clock::now();
}

void SteadyClock::SleepFor(Duration d) {
  std::this_thread::sleep_for(d);
}

Clock& SystemClock() {
  static SteadyClock clock;
  return clock;
}

}  // namespace nuvrel::link
