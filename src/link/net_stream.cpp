// SPDX-License-Identifier: MIT
#include "link/net_stream.h"

#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>

#include "app/strings.h"
#include "link/net_socket.h"

namespace nuvrel::link {
namespace {

class PlainStream final : public NetStream {
 public:
  explicit PlainStream(app::UniqueFd socket) : m_socket(std::move(socket)) {}

  bool Send(std::span<const std::uint8_t> bytes) override {
    auto deadline = std::chrono::steady_clock::now() + kSendStall;
    std::size_t done = 0;
    while (done < bytes.size() && !Ended()) {
      // MSG_NOSIGNAL: a server that went away is an error here, not a signal that ends the program.
      const ssize_t n = ::send(m_socket.Get(), bytes.data() + done, bytes.size() - done,
                               MSG_NOSIGNAL | MSG_DONTWAIT);
      if (n > 0) {
        done += static_cast<std::size_t>(n);
        deadline = std::chrono::steady_clock::now() + kSendStall;
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
        End(std::strerror(errno));
        break;
      }
      // The server's window is full: wait until it takes more.
      const int ready = WaitSocket(m_socket.Get(), POLLOUT, deadline);
      if (ready == 0) End(std::strerror(ETIMEDOUT));
      if (ready < 0) End(std::strerror(errno));
    }
    return !Ended();
  }

  std::size_t Receive(std::span<std::uint8_t> out, std::chrono::milliseconds timeout) override {
    if (Ended() || out.empty()) return 0;
    if (timeout.count() > 0) {
      const int ready =
          WaitSocket(m_socket.Get(), POLLIN, std::chrono::steady_clock::now() + timeout);
      if (ready == 0) return 0;
      if (ready < 0) {
        End(std::strerror(errno));
        return 0;
      }
    }
    for (;;) {
      const ssize_t n = ::recv(m_socket.Get(), out.data(), out.size(), MSG_DONTWAIT);
      if (n > 0) return static_cast<std::size_t>(n);
      if (n == 0) {
        End(std::string(app::Text(app::Sid::ConnectionClosed)));
      } else if (errno == EINTR) {
        continue;
      } else if (errno != EAGAIN && errno != EWOULDBLOCK) {
        End(std::strerror(errno));
      }
      return 0;
    }
  }

 private:
  app::UniqueFd m_socket;
};

}  // namespace

std::unique_ptr<NetStream> MakePlainStream(app::UniqueFd socket) {
  return std::make_unique<PlainStream>(std::move(socket));
}

}  // namespace nuvrel::link
