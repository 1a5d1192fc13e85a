// SPDX-License-Identifier: MIT
// ecrsim's line as a TCP port, the way a serial device server's raw mode offers a register: one
// connection at a time, the next taken when it ends; the register stays the same across them.
#pragma once

#include <optional>
#include <string>

#include "app/unique_fd.h"

namespace nuvrel::sim {

struct TcpListenerOpen;

class TcpListener {
 public:
  // Listens on "HOST:PORT" (an IPv6 host in brackets); port 0 takes a free one.
  static TcpListenerOpen Open(const std::string& hostPort);

  // The address listened on, as the client names it: tcp://HOST:PORT with the real port.
  const std::string& Address() const { return m_address; }

  // Waits for the next connection or for stopFd to become readable. The connection, or an
  // invalid descriptor when told to stop (error empty) or when accepting failed (error says why).
  app::UniqueFd Accept(int stopFd, std::string& error);

 private:
  TcpListener(app::UniqueFd socket, std::string address)
      : m_socket(std::move(socket)), m_address(std::move(address)) {}

  app::UniqueFd m_socket;
  std::string m_address;
};

struct TcpListenerOpen {
  std::optional<TcpListener> listener;
  std::string error;
};

}  // namespace nuvrel::sim
