// SPDX-License-Identifier: MIT
#include "support/scripted_opener.h"

namespace nuvrel::test {

// Forwards to a port the opener keeps, so that a test can look at it after the transfer closed it.
class ScriptedOpener::Handle final : public link::Transport {
 public:
  explicit Handle(ScriptedPort& port) : m_port(port) {}
  bool Write(std::span<const std::uint8_t> bytes) override { return m_port.Write(bytes); }
  std::size_t ReadAvailable(std::span<std::uint8_t> out) override {
    return m_port.ReadAvailable(out);
  }
  void Purge() override { m_port.Purge(); }
  link::WaitResult WaitReadable(link::Clock::Duration timeout) override {
    return m_port.WaitReadable(timeout);
  }

 private:
  ScriptedPort& m_port;
};

std::unique_ptr<link::Transport> ScriptedOpener::Open(std::uint32_t portNumber,
                                                      link::OpenFailure& failure) {
  if (refuse || portNumber < 1 || portNumber > 4) {
    failure = {
        refuse ? "/dev/scripted" : "", refuse ? "No such file or directory" : "", false, {}, {}};
    return nullptr;
  }
  m_ports.push_back(std::make_unique<ScriptedPort>(m_clock));
  last = m_ports.back().get();
  ++opened;
  if (onOpen) onOpen(*last);
  return std::make_unique<Handle>(*last);
}

}  // namespace nuvrel::test
