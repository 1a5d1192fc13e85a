// SPDX-License-Identifier: MIT
// Debian's ser2net as a child process for tests: its own configuration, one connection per accepter
// on a free loopback port, all to one device (an ecrsim pseudo-terminal). Stopped when it goes.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace nuvrel::test {

class Ser2net {
 public:
  static bool Installed();

  // accepter: the gensio stack before the address, e.g. "tcp", "telnet(rfc2217),tcp",
  // "ssl(key=K,cert=C),tcp". line: the device's settings at the start ("9600n81"). verbose: log
  // what ser2net does with the device (its modem-control calls among it) to Log().
  Ser2net(const std::string& folder, const std::string& device,
          const std::vector<std::string>& accepters, const std::string& line = "9600n81",
          bool verbose = false);
  ~Ser2net();
  Ser2net(const Ser2net&) = delete;
  Ser2net& operator=(const Ser2net&) = delete;

  // Started and listening on every port.
  bool Ok() const { return m_ok; }
  std::uint16_t Port(std::size_t accepter) const { return m_ports.at(accepter); }
  // What ser2net wrote to stderr so far.
  std::string Log() const;

 private:
  std::string m_folder;
  std::vector<std::uint16_t> m_ports;
  pid_t m_pid = -1;
  bool m_ok = false;
};

// A port on the loopback that nothing listens on just now.
std::uint16_t FreeLoopbackPort();

}  // namespace nuvrel::test
