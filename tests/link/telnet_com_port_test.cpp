// SPDX-License-Identifier: MIT
// The RFC 2217 line: the negotiation with a server, RTS around each write, and what a server that
// refuses, says nothing or goes away leaves behind. The test plays the server on the other end of
// a socket pair.
#include "link/telnet_com_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "app/strings.h"

namespace nuvrel::link {
namespace {

using namespace std::chrono_literals;
using namespace telnet;

constexpr std::uint8_t kModemState = 107;

class Server {
 public:
  Server() {
    int fds[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) return;
    ::fcntl(fds[0], F_SETFL, O_NONBLOCK);
    client = app::UniqueFd(fds[0]);
    m_fd = app::UniqueFd(fds[1]);
  }
  void Send(const Bytes& bytes) {
    ASSERT_EQ(::write(m_fd.Get(), bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }
  // Everything the client has sent by now.
  Bytes Received() {
    Bytes all;
    std::uint8_t buffer[512];
    pollfd p{m_fd.Get(), POLLIN, 0};
    while (::poll(&p, 1, 20) > 0) {
      const ssize_t n = ::read(m_fd.Get(), buffer, sizeof buffer);
      if (n <= 0) break;
      all.insert(all.end(), buffer, buffer + n);
    }
    return all;
  }
  void Close() { m_fd.Reset(); }

  app::UniqueFd client;

 private:
  app::UniqueFd m_fd;
};

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

Bytes Control(std::uint8_t value) {
  return ComPortFrame(kSetControl, std::span(&value, 1));
}

std::unique_ptr<TelnetComPort> StartOn(Server& server, std::string& error,
                                       std::chrono::milliseconds timeout = 1000ms) {
  return TelnetComPort::Start(MakePlainStream(std::move(server.client)), "rfc2217://test:1", {},
                              LineSettings{}, timeout, nullptr, error);
}

TEST(TelnetComPort, AgreesSetsTheLineAndRaisesRtsForEachWrite) {
  Server server;
  ASSERT_TRUE(server.client.Valid());
  // What a serial device server says first, with an option nobody knows.
  server.Send({kIac, kWill, kSuppressGoAhead, kIac, kWill, kEcho, kIac, kDo, kBinary, kIac, kDo,
               kComPort, kIac, kDo, 99});
  std::string error;
  auto port = StartOn(server, error);
  ASSERT_TRUE(port) << error;
  const std::uint8_t rate[] = {0, 0, 0x25, 0x80}, eight = 8, one = 1, both = kPurgeBoth;
  EXPECT_EQ(server.Received(),
            Join({{kIac, kWill, kComPort, kIac, kWill, kBinary, kIac, kDo, kBinary},
                  // Go-ahead may be left out; no echo of what we send; no unknown option.
                  {kIac, kDo, kSuppressGoAhead, kIac, kDont, kEcho, kIac, kWont, 99},
                  ComPortFrame(kSetBaudRate, rate),
                  ComPortFrame(kSetDataSize, std::span(&eight, 1)),
                  ComPortFrame(kSetParity, std::span(&one, 1)),
                  ComPortFrame(kSetStopSize, std::span(&one, 1)),
                  Control(kNoFlowControl),
                  Control(kDtrOn),
                  Control(kRtsOff),
                  ComPortFrame(kPurgeData, std::span(&both, 1))}));

  // RTS stays up for the frame's time on a 9600-baud line (10 bits a byte), 0xFF goes doubled.
  const Bytes frame(20, 0xFF);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(port->Write(frame));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 20 * 10 * 1s / 9600);
  EXPECT_EQ(server.Received(), Join({Control(kRtsOn), Bytes(40, 0xFF), Control(kRtsOff)}));

  // A state report in the middle of a reply is taken out of it; a repeated request is not
  // answered again.
  server.Send(
      {0x06, kIac, kIac, kIac, kSb, kComPort, kModemState, 0, kIac, kSe, kIac, kDo, kBinary, 0x0A});
  ASSERT_EQ(port->WaitReadable(1s), WaitResult::Readable);
  std::uint8_t reply[8] = {};
  EXPECT_EQ(port->ReadAvailable(reply), 3u);
  EXPECT_EQ(Bytes(reply, reply + 3), (Bytes{0x06, 0xFF, 0x0A}));
  EXPECT_EQ(server.Received(), Bytes{});

  EXPECT_EQ(port->LostReason(), "");
  server.Close();
  EXPECT_EQ(port->WaitReadable(1s), WaitResult::HungUp);
  EXPECT_EQ(port->LostReason(), "rfc2217://test:1: the server closed the connection");
}

TEST(TelnetComPort, AServerThatRefusesOrSaysNothingControlsNoLine) {
  const std::string noControl(app::Text(app::Sid::NoLineControl));
  {
    Server server;
    server.Send({kIac, kDont, kComPort});
    std::string error;
    EXPECT_FALSE(StartOn(server, error));
    EXPECT_EQ(error, noControl);
  }
  {
    Server server;  // a raw port: it never answers the offer
    std::string error;
    EXPECT_FALSE(StartOn(server, error, 50ms));
    EXPECT_EQ(error, noControl);
  }
}

}  // namespace
}  // namespace nuvrel::link
