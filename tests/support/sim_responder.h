// SPDX-License-Identifier: MIT
// The simulator's register answering on a scripted port: the real register logic, on the fake
// clock, with no pseudo-terminal. Each block the program writes is fed to the register; what the
// register sends arrives after the given delay.
#pragma once

#include <chrono>

#include "sim/register.h"
#include "support/scripted_port.h"

namespace nuvrel::test {

inline void AttachRegister(ScriptedPort& port, sim::Register& reg,
                           link::Clock::Duration delay = std::chrono::milliseconds(5)) {
  port.SetResponder([&reg, delay](ScriptedPort& p, const link::Bytes& written) {
    for (const sim::Action& action : reg.Feed(written)) {
      if (action.kind == sim::ActionKind::Send) p.Arrive(action.bytes, delay);
      if (action.kind == sim::ActionKind::HangUp) p.HangUpAfter(delay);
    }
  });
}

}  // namespace nuvrel::test
