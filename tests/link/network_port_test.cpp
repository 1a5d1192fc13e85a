// SPDX-License-Identifier: MIT
// Connections to serial device servers: which networks count as private, and a server that
// cannot be reached.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include "link/net_socket.h"

namespace nuvrel::link {
namespace {

using namespace std::chrono_literals;

sockaddr_storage Address(const char* text) {
  sockaddr_storage address{};
  if (std::string(text).find(':') != std::string::npos) {
    auto& v6 = reinterpret_cast<sockaddr_in6&>(address);
    v6.sin6_family = AF_INET6;
    EXPECT_EQ(inet_pton(AF_INET6, text, &v6.sin6_addr), 1) << text;
  } else {
    auto& v4 = reinterpret_cast<sockaddr_in&>(address);
    v4.sin_family = AF_INET;
    EXPECT_EQ(inet_pton(AF_INET, text, &v4.sin_addr), 1) << text;
  }
  return address;
}

TEST(NetworkPort, OnlyThisMachineAndPrivateNetworksArePrivate) {
  for (const char* text :
       {"127.0.0.1", "127.8.9.10", "10.1.2.3", "172.16.0.1", "172.31.255.255", "192.168.1.1",
        "169.254.7.7", "::1", "fd00::5", "fe80::1", "::ffff:192.168.0.9"}) {
    EXPECT_TRUE(IsPrivateAddress(Address(text))) << text;
  }
  for (const char* text : {"8.8.8.8", "172.15.0.1", "172.32.0.1", "192.169.0.1", "100.64.0.1",
                           "2001:db8::1", "::ffff:8.8.8.8"}) {
    EXPECT_FALSE(IsPrivateAddress(Address(text))) << text;
  }
}

// A listening socket on the loopback that never takes a connection: the system completes as many
// as the backlog holds, and the server says nothing on them.
class SilentServer {
 public:
  explicit SilentServer(int backlog) {
    m_fd = app::UniqueFd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (::bind(m_fd.Get(), reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        ::listen(m_fd.Get(), backlog) != 0 ||
        ::getsockname(m_fd.Get(), reinterpret_cast<sockaddr*>(&address), &size) != 0) {
      m_fd.Reset();
    }
    port = ntohs(address.sin_port);
  }
  std::uint16_t port = 0;

 private:
  app::UniqueFd m_fd;
};

// A refused connection: the end-to-end tests through a serial device server.
TEST(NetworkPort, AnUnansweredConnectionSaysWhy) {
  // The backlog is full once one connection waits in it: the next is never answered.
  SilentServer full(0);
  const TcpConnect first = ConnectTcp("127.0.0.1", full.port, 1000ms);
  ASSERT_TRUE(first.socket.Valid()) << first.error;
  EXPECT_TRUE(first.privatePeer);
  const TcpConnect second = ConnectTcp("127.0.0.1", full.port, 50ms);
  EXPECT_FALSE(second.socket.Valid());
  EXPECT_EQ(second.error, "no answer within 50 ms");
}

}  // namespace
}  // namespace nuvrel::link
