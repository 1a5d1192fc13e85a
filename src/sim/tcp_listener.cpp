// SPDX-License-Identifier: MIT
#include "sim/tcp_listener.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <memory>

namespace nuvrel::sim {
namespace {

std::string Failure(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

struct AddrInfoFree {
  void operator()(addrinfo* list) const { freeaddrinfo(list); }
};

// The bound address as tcp://HOST:PORT.
std::string BoundAddress(int fd) {
  sockaddr_storage bound{};
  socklen_t size = sizeof bound;
  if (::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &size) != 0) return "tcp://?";
  std::array<char, INET6_ADDRSTRLEN> host{};
  unsigned port = 0;
  if (bound.ss_family == AF_INET6) {
    const auto& v6 = reinterpret_cast<const sockaddr_in6&>(bound);
    ::inet_ntop(AF_INET6, &v6.sin6_addr, host.data(), host.size());
    port = ntohs(v6.sin6_port);
    return "tcp://[" + std::string(host.data()) + "]:" + std::to_string(port);
  }
  const auto& v4 = reinterpret_cast<const sockaddr_in&>(bound);
  ::inet_ntop(AF_INET, &v4.sin_addr, host.data(), host.size());
  port = ntohs(v4.sin_port);
  return "tcp://" + std::string(host.data()) + ":" + std::to_string(port);
}

}  // namespace

TcpListenerOpen TcpListener::Open(const std::string& hostPort) {
  std::string host;
  std::string port;
  if (!hostPort.empty() && hostPort.front() == '[') {
    const auto close = hostPort.find("]:");
    if (close == std::string::npos) return {std::nullopt, "--listen takes HOST:PORT"};
    host = hostPort.substr(1, close - 1);
    port = hostPort.substr(close + 2);
  } else {
    const auto colon = hostPort.rfind(':');
    if (colon == std::string::npos) return {std::nullopt, "--listen takes HOST:PORT"};
    host = hostPort.substr(0, colon);
    port = hostPort.substr(colon + 1);
  }
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
  addrinfo* found = nullptr;
  const int resolved =
      ::getaddrinfo(host.empty() ? nullptr : host.c_str(), port.c_str(), &hints, &found);
  if (resolved != 0) {
    return {std::nullopt, "cannot listen on " + hostPort + ": " + ::gai_strerror(resolved)};
  }
  const std::unique_ptr<addrinfo, AddrInfoFree> list(found);
  app::UniqueFd socket(
      ::socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC, found->ai_protocol));
  if (!socket.Valid()) return {std::nullopt, Failure("cannot make a socket")};
  const int on = 1;
  (void)::setsockopt(socket.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  if (::bind(socket.Get(), found->ai_addr, found->ai_addrlen) != 0 ||
      ::listen(socket.Get(), 4) != 0) {
    return {std::nullopt, Failure("cannot listen on " + hostPort)};
  }
  std::string address = BoundAddress(socket.Get());
  return {TcpListener(std::move(socket), std::move(address)), {}};
}

app::UniqueFd TcpListener::Accept(int stopFd, std::string& error) {
  error.clear();
  for (;;) {
    std::array<pollfd, 2> fds{{{m_socket.Get(), POLLIN, 0}, {stopFd, POLLIN, 0}}};
    const int ready = ::poll(fds.data(), fds.size(), -1);
    if (ready < 0 && errno == EINTR) continue;  // the stop pipe tells the rest
    if (ready < 0) {
      error = Failure("poll");
      return {};
    }
    if (fds[1].revents != 0) return {};
    app::UniqueFd connection(
        ::accept4(m_socket.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
    if (connection.Valid()) {
      const int on = 1;
      (void)::setsockopt(connection.Get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
      return connection;
    }
    // A client that gave up before it was taken is no reason to stop listening.
    if (errno != EINTR && errno != ECONNABORTED && errno != EAGAIN) {
      error = Failure("accept");
      return {};
    }
  }
}

}  // namespace nuvrel::sim
