// SPDX-License-Identifier: MIT
// A connection to a serial device server as a stream of bytes: plain TCP, or TLS over it.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "app/unique_fd.h"

namespace nuvrel::link {

class NetStream {
 public:
  virtual ~NetStream() = default;

  // Sends every byte; false when the connection failed or the server took nothing for the stall
  // time (Problem() says why).
  virtual bool Send(std::span<const std::uint8_t> bytes) = 0;

  // Waits up to timeout for bytes to arrive, then takes what has, at most out.size(). 0 when
  // nothing came, or when the connection has ended (Ended()).
  virtual std::size_t Receive(std::span<std::uint8_t> out, std::chrono::milliseconds timeout) = 0;

  bool Ended() const { return !m_problem.empty(); }
  // Why the connection ended: the server closed it, or the system's reason. Empty while it lasts.
  const std::string& Problem() const { return m_problem; }

 protected:
  // Records the end; the first reason is the one kept.
  void End(std::string why) {
    if (m_problem.empty()) m_problem = why.empty() ? "?" : std::move(why);
  }

 private:
  std::string m_problem;
};

// How long a send may go without the server taking a byte.
inline constexpr std::chrono::seconds kSendStall{5};

// The stream over a connected, non-blocking socket.
std::unique_ptr<NetStream> MakePlainStream(app::UniqueFd socket);

}  // namespace nuvrel::link
