// SPDX-License-Identifier: MIT
#include "link/ecr_link.h"

#include "link/network_port.h"
#include "link/port_address.h"
#include "link/trace.h"

namespace nuvrel::link {

EcrLink::EcrLink(PortMap ports, TraceLog* trace) : m_ports(std::move(ports)), m_trace(trace) {}

EcrLink::~EcrLink() {
  Close();
}

bool EcrLink::Open(std::uint32_t portNumber, const LineSettings& settings) {
  Close();
  m_failure = {};
  const std::uint32_t port = portNumber & 0xFFFF;
  if (port < 1 || port > 4) return false;
  const std::string device = m_ports.DeviceFor(port);
  if (IsNetworkAddress(device)) {
    m_device = OpenNetworkPort(device, settings, m_ports.network, m_trace, m_failure);
  } else {
    m_device = OpenSerialDevice(device, settings, m_failure);
  }
  if (m_device && m_trace) m_trace->Note("open " + m_failure.device);
  return m_device != nullptr;
}

void EcrLink::Close() {
  if (m_device && m_trace) m_trace->Note("close");
  m_device.reset();
}

bool EcrLink::Write(std::span<const std::uint8_t> bytes) {
  if (!m_device) return false;
  if (m_trace) m_trace->Sent(bytes);
  return m_device->Write(bytes);
}

std::size_t EcrLink::ReadAvailable(std::span<std::uint8_t> out) {
  if (!m_device) return 0;
  const std::size_t n = m_device->ReadAvailable(out);
  if (m_trace && n > 0) m_trace->Received(out.first(n));
  return n;
}

void EcrLink::Purge() {
  if (m_device) m_device->Purge();
}

WaitResult EcrLink::WaitReadable(Clock::Duration timeout) {
  if (!m_device) return WaitResult::HungUp;
  return m_device->WaitReadable(timeout);
}

std::string EcrLink::LostReason() const {
  return m_device ? m_device->LostReason() : std::string();
}

std::string EcrLink::OpenWarning() const {
  return m_device ? m_device->OpenWarning() : std::string();
}

}  // namespace nuvrel::link
