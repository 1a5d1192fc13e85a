// SPDX-License-Identifier: MIT
// EcrLink: one open serial port to the register for the length of one transfer, a local device or a
// serial device server on the network. It only moves bytes; every waiting loop with its time-out
// lives in the protocol code above it.
#pragma once

#include <cstdint>
#include <memory>

#include "link/port_map.h"
#include "link/serial_device.h"
#include "link/transport.h"

namespace nuvrel::link {

class TraceLog;

class EcrLink final : public Transport {
 public:
  // trace may be null; when given, every block written and read is logged.
  explicit EcrLink(PortMap ports, TraceLog* trace = nullptr);
  ~EcrLink() override;
  EcrLink(const EcrLink&) = delete;
  EcrLink& operator=(const EcrLink&) = delete;

  // Opens COMn with the line settings. Only the low 16 bits of the port number count; it must be
  // 1..4, else nothing is touched. False when the port cannot be opened (see LastFailure).
  bool Open(std::uint32_t portNumber, const LineSettings& settings = {});
  void Close();
  bool IsOpen() const { return m_device != nullptr; }

  // Why the last Open failed; device and reason are empty when the checks refused it before any
  // device.
  const OpenFailure& LastFailure() const { return m_failure; }

  bool Write(std::span<const std::uint8_t> bytes) override;
  std::size_t ReadAvailable(std::span<std::uint8_t> out) override;
  void Purge() override;
  WaitResult WaitReadable(Clock::Duration timeout) override;
  std::string LostReason() const override;
  std::string OpenWarning() const override;

 private:
  PortMap m_ports;
  TraceLog* m_trace;
  std::unique_ptr<Transport> m_device;
  OpenFailure m_failure;
};

}  // namespace nuvrel::link
