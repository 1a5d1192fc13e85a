// SPDX-License-Identifier: MIT
#include "link/net_stream.h"

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
    Received got = ReceiveSome(m_socket.Get(), out, std::chrono::steady_clock::now() + timeout);
    if (!got.ended.empty()) End(std::move(got.ended));
    return got.count;
  }

 private:
  app::UniqueFd m_socket;
};

}  // namespace

std::unique_ptr<NetStream> MakePlainStream(app::UniqueFd socket) {
  return std::make_unique<PlainStream>(std::move(socket));
}

}  // namespace nuvrel::link
