// SPDX-License-Identifier: MIT
// Opening the register's port for one transfer. The desktop program and the command-line tool open
// real serial devices (or the simulator's pseudo-terminal); tests can hand out in-memory
// transports.
#pragma once

#include <cstdint>
#include <memory>

#include "link/port_map.h"
#include "link/serial_device.h"
#include "link/transport.h"

namespace nuvrel::app {
class Ui;
}

namespace nuvrel::link {

class TraceLog;

class PortOpener {
 public:
  virtual ~PortOpener() = default;
  // Opens COMn with the register's line settings (9600 baud, 8 data bits, no parity, one stop bit,
  // queues of 1024 bytes). Returns nullptr and fills failure when it cannot.
  virtual std::unique_ptr<Transport> Open(std::uint32_t portNumber, OpenFailure& failure) = 0;
};

class SerialPortOpener final : public PortOpener {
 public:
  explicit SerialPortOpener(PortMap ports, TraceLog* trace = nullptr)
      : m_ports(std::move(ports)), m_trace(trace) {}
  std::unique_ptr<Transport> Open(std::uint32_t portNumber, OpenFailure& failure) override;
  const PortMap& Ports() const { return m_ports; }

 private:
  PortMap m_ports;
  TraceLog* m_trace;
};

// Opens COM(portIndex + 1). When it cannot, shows "Cannot open COM%d !" with the port number and,
// on further lines, the device tried with the system's reason, then how to get the permission (the
// device's group and how to join it) or which program holds the port, when known (that another
// one does, when only that is known); returns nullptr. A port that opens with a warning (a plain
// connection across a public network) shows it first.
std::unique_ptr<Transport> OpenRegisterPort(PortOpener& opener, int portIndex, app::Ui& ui);

}  // namespace nuvrel::link
