// SPDX-License-Identifier: MIT
// TCP connections to a serial device server over POSIX sockets.
#pragma once

#include <sys/socket.h>

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

#include "app/unique_fd.h"

namespace nuvrel::link {

using SteadyTime = std::chrono::steady_clock::time_point;

struct TcpConnect {
  app::UniqueFd socket;  // connected and non-blocking; invalid when the connection failed
  std::string error;     // why it failed
  // The address reached is on this machine or a private network (10/8, 172.16/12, 192.168/16,
  // link-local, IPv6 unique-local and link-local).
  bool privatePeer = false;
};

// Connects to the host (a name or an address) and port, trying each of its addresses until the
// time-out has passed.
TcpConnect ConnectTcp(const std::string& host, std::uint16_t port,
                      std::chrono::milliseconds timeout);

// Whether the address is on this machine or on a private network (see TcpConnect).
bool IsPrivateAddress(const sockaddr_storage& address);

// Waits until the socket is ready for the events or the deadline passes. Returns the events seen
// (poll's revents), 0 when the deadline passed, -1 when the wait failed.
int WaitSocket(int fd, short events, SteadyTime deadline);

// What one wait-and-read on a socket gave: the count of bytes read, or why the connection ended.
struct Received {
  std::size_t count = 0;
  std::string ended;  // the server closed the connection or the socket failed; "" otherwise
};

// Waits for the socket until the deadline (not at all once it has passed) and reads what is there
// into `out`. A count of 0 with nothing in `ended`: nothing came in time.
Received ReceiveSome(int fd, std::span<std::uint8_t> out, SteadyTime deadline);

// Sends every byte on the non-blocking socket, waiting while the server's window is full; it fails
// only when the server has taken nothing for the stall time. Returns why it failed, or "".
std::string SendAll(int fd, std::span<const std::uint8_t> bytes, std::chrono::milliseconds stall);

}  // namespace nuvrel::link
