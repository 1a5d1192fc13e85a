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
    if (Ended()) return false;
    if (std::string why = SendAll(m_socket.Get(), bytes, kSendStall); !why.empty()) End(why);
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
