// SPDX-License-Identifier: MIT
// The window stays alive while a transfer waits for the register. Transfers run on the window's
// thread; every wait of the protocol (the pause before each look at a reply, the wait for the next
// byte) is cut into short slices with the window's events handled between them, so the window
// repaints and the progress dialog's Cancel answers while the line is quiet. The time-outs and
// pauses themselves stay as long as the protocol wants them.
#pragma once

#include <chrono>
#include <functional>
#include <memory>

#include "link/clock.h"
#include "link/port_opener.h"

namespace nuvrel::gui {

// The longest the window goes unanswered during a wait.
inline constexpr auto kPumpSlice = std::chrono::milliseconds(40);

// Handles the window's pending events (the transfer's input block throws the person's input to
// the main window away).
void PumpWindowEvents();

// The real clock whose sleeps keep the window alive.
class PumpingClock final : public link::Clock {
 public:
  TimePoint Now() override;
  void SleepFor(Duration d) override;
};

// Hands out the ports of another opener, with their waits for bytes kept alive the same way.
class PumpingPortOpener final : public link::PortOpener {
 public:
  explicit PumpingPortOpener(link::PortOpener& inner) : m_inner(inner) {}
  std::unique_ptr<link::Transport> Open(std::uint32_t portNumber,
                                        link::OpenFailure& failure) override;

 private:
  link::PortOpener& m_inner;
};

}  // namespace nuvrel::gui
