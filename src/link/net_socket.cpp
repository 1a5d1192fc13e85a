// SPDX-License-Identifier: MIT
#include "link/net_socket.h"

#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "app/format.h"
#include "app/strings.h"

namespace nuvrel::link {
namespace {

bool IsPrivateV4(std::uint32_t a) {
  return (a >> 24) == 127 || (a >> 24) == 10 || (a >> 20) == 0xAC1 || (a >> 16) == 0xC0A8 ||
         (a >> 16) == 0xA9FE;
}

}  // namespace

bool IsPrivateAddress(const sockaddr_storage& peer) {
  if (peer.ss_family == AF_INET) {
    const auto& v4 = reinterpret_cast<const sockaddr_in&>(peer);
    return IsPrivateV4(ntohl(v4.sin_addr.s_addr));
  }
  if (peer.ss_family != AF_INET6) return false;
  const auto& v6 = reinterpret_cast<const sockaddr_in6&>(peer).sin6_addr;
  const std::uint8_t* b = v6.s6_addr;
  if (IN6_IS_ADDR_LOOPBACK(&v6)) return true;
  if (IN6_IS_ADDR_V4MAPPED(&v6)) {
    return IsPrivateV4(std::uint32_t{b[12]} << 24 | std::uint32_t{b[13]} << 16 |
                       std::uint32_t{b[14]} << 8 | b[15]);
  }
  // fc00::/7 unique-local, fe80::/10 link-local.
  return (b[0] & 0xFE) == 0xFC || (b[0] == 0xFE && (b[1] & 0xC0) == 0x80);
}

namespace {

struct AddrInfoFree {
  void operator()(addrinfo* list) const { freeaddrinfo(list); }
};

// One attempt on one address; the socket when it connected, else errno's reason in error.
app::UniqueFd TryConnect(const addrinfo& ai, SteadyTime deadline, std::string& error) {
  app::UniqueFd fd(
      ::socket(ai.ai_family, ai.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, ai.ai_protocol));
  if (!fd.Valid()) {
    error = std::strerror(errno);
    return {};
  }
  if (::connect(fd.Get(), ai.ai_addr, ai.ai_addrlen) != 0) {
    if (errno != EINPROGRESS) {
      error = std::strerror(errno);
      return {};
    }
    const int ready = WaitSocket(fd.Get(), POLLOUT, deadline);
    if (ready == 0) {
      error.clear();  // the caller words the time-out
      return {};
    }
    int code = 0;
    socklen_t size = sizeof code;
    if (ready < 0 || ::getsockopt(fd.Get(), SOL_SOCKET, SO_ERROR, &code, &size) != 0) code = errno;
    if (code != 0) {
      error = std::strerror(code);
      return {};
    }
  }
  // Frames are small and each waits for its answer: no waiting to fill a segment.
  const int on = 1;
  (void)::setsockopt(fd.Get(), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  (void)::setsockopt(fd.Get(), SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
  return fd;
}

}  // namespace

int WaitSocket(int fd, short events, SteadyTime deadline) {
  for (;;) {
    const auto left = deadline - std::chrono::steady_clock::now();
    // Rounded up, so that the last fraction of a millisecond is waited, not spun.
    const auto ms =
        std::max<long long>(0, std::chrono::ceil<std::chrono::milliseconds>(left).count());
    pollfd p{fd, events, 0};
    const int r = ::poll(&p, 1, static_cast<int>(std::min<long long>(ms, 60'000)));
    if (r > 0) return p.revents;
    if (r == 0 && std::chrono::steady_clock::now() >= deadline) return 0;
    if (r < 0 && errno != EINTR) return -1;
  }
}

TcpConnect ConnectTcp(const std::string& host, std::uint16_t port,
                      std::chrono::milliseconds timeout) {
  TcpConnect result;
  const SteadyTime deadline = std::chrono::steady_clock::now() + timeout;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_ADDRCONFIG;
  addrinfo* found = nullptr;
  const std::string service = std::to_string(port);
  const int resolved = ::getaddrinfo(host.c_str(), service.c_str(), &hints, &found);
  if (resolved != 0) {
    const char* why = resolved == EAI_SYSTEM ? std::strerror(errno) : ::gai_strerror(resolved);
    result.error = app::Format(app::Sid::CannotResolveHost, {host, std::string(why)});
    return result;
  }
  const std::unique_ptr<addrinfo, AddrInfoFree> list(found);
  std::string error;
  for (const addrinfo* ai = list.get(); ai; ai = ai->ai_next) {
    if (std::chrono::steady_clock::now() >= deadline) break;
    app::UniqueFd fd = TryConnect(*ai, deadline, error);
    if (!fd.Valid()) continue;
    sockaddr_storage peer{};
    std::memcpy(&peer, ai->ai_addr, std::min<std::size_t>(ai->ai_addrlen, sizeof peer));
    result.privatePeer = IsPrivateAddress(peer);
    result.socket = std::move(fd);
    return result;
  }
  result.error = !error.empty() ? error
                                : app::Format(app::Sid::ConnectTimedOut,
                                              {static_cast<unsigned>(timeout.count())});
  return result;
}

Received ReceiveSome(int fd, std::span<std::uint8_t> out, SteadyTime deadline) {
  if (deadline > std::chrono::steady_clock::now()) {
    const int ready = WaitSocket(fd, POLLIN, deadline);
    if (ready == 0) return {};
    if (ready < 0) return {0, std::strerror(errno)};
  }
  for (;;) {
    const ssize_t n = ::recv(fd, out.data(), out.size(), MSG_DONTWAIT);
    if (n > 0) return {static_cast<std::size_t>(n), {}};
    if (n == 0) return {0, std::string(app::Text(app::Sid::ConnectionClosed))};
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) return {};
    return {0, std::strerror(errno)};
  }
}

std::string SendAll(int fd, std::span<const std::uint8_t> bytes, std::chrono::milliseconds stall) {
  auto deadline = std::chrono::steady_clock::now() + stall;
  std::size_t done = 0;
  while (done < bytes.size()) {
    // MSG_NOSIGNAL: a server that went away is an error here, not a signal that ends the program.
    const ssize_t n =
        ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      deadline = std::chrono::steady_clock::now() + stall;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return std::strerror(errno);
    const int ready = WaitSocket(fd, POLLOUT, deadline);
    if (ready == 0) return std::strerror(ETIMEDOUT);
    if (ready < 0) return std::strerror(errno);
  }
  return {};
}

}  // namespace nuvrel::link
