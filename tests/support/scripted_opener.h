// SPDX-License-Identifier: MIT
// A port opener for transfer tests: hands out a ScriptedPort driven by a register model, and can
// refuse to open.
#pragma once

#include <functional>
#include <memory>

#include "link/port_opener.h"
#include "support/scripted_port.h"

namespace nuvrel::test {

class ScriptedOpener final : public link::PortOpener {
 public:
  explicit ScriptedOpener(FakeClock& clock) : m_clock(clock) {}

  // Called with each new port, to attach a responder to it.
  std::function<void(ScriptedPort&)> onOpen;
  bool refuse = false;
  int opened = 0;
  // The last port handed out; it stays alive after the transfer closes it, for inspection.
  ScriptedPort* last = nullptr;

  std::unique_ptr<link::Transport> Open(std::uint32_t portNumber,
                                        link::OpenFailure& failure) override;

 private:
  class Handle;
  FakeClock& m_clock;
  std::vector<std::unique_ptr<ScriptedPort>> m_ports;
};

}  // namespace nuvrel::test
