// SPDX-License-Identifier: MIT
// The register's line as a connection to a serial device server. As it stands, raw bytes both ways
// (the server's raw mode, no line control); TelnetComPort adds the control of the line.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/net_stream.h"
#include "link/transport.h"

namespace nuvrel::link {

class StreamTransport : public Transport {
 public:
  // address names the server in messages; warning is what OpenWarning() gives.
  StreamTransport(std::unique_ptr<NetStream> stream, std::string address, std::string warning = {});

  bool Write(std::span<const std::uint8_t> bytes) override;
  std::size_t ReadAvailable(std::span<std::uint8_t> out) override;
  void Purge() override;
  WaitResult WaitReadable(Clock::Duration timeout) override;
  std::string LostReason() const override;
  std::string OpenWarning() const override { return m_warning; }

  // Line bytes received and not yet read are never more than this.
  static constexpr std::size_t kBufferLimit = 4096;

 protected:
  // Turns bytes received into line bytes appended to `line`, never more than it got; the raw
  // stream passes them on as they are.
  virtual void Take(std::span<const std::uint8_t> received, std::vector<std::uint8_t>& line);

  // Receives once (waiting up to timeout for the first byte) and takes what came.
  void Fill(std::chrono::milliseconds timeout);

  NetStream& Stream() { return *m_stream; }
  std::size_t Waiting() const { return m_line.size() - m_first; }
  void DropWaiting();

 private:
  std::unique_ptr<NetStream> m_stream;
  std::string m_address;
  std::string m_warning;
  std::vector<std::uint8_t> m_line;  // line bytes received; those before m_first are read
  std::size_t m_first = 0;
};

}  // namespace nuvrel::link
