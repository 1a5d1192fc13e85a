// SPDX-License-Identifier: MIT
// Where a port leads: a serial device path, or a serial device server on the network.
//   /dev/ttyUSB0              a device (anything without "://")
//   tcp://HOST:PORT           raw bytes to the server, no line control
//   rfc2217://HOST:PORT       Telnet with the COM Port Control option: the server sets the line
//   tcp+tls://HOST:PORT, rfc2217+tls://HOST:PORT   the same inside TLS
// HOST is a name, an IPv4 address or an IPv6 address in brackets ([::1]).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nuvrel::link {

enum class PortScheme { Tcp, Rfc2217 };

struct NetworkAddress {
  PortScheme scheme = PortScheme::Tcp;
  bool tls = false;
  std::string host;  // without brackets
  std::uint16_t port = 0;
  std::string text;  // as written, for messages
};

struct AddressParse {
  std::optional<NetworkAddress> address;
  std::string error;  // what is wrong with it, when there is no address
};

// Whether the text names a network address rather than a device path.
bool IsNetworkAddress(std::string_view text);

// Reads a network address.
AddressParse ParseNetworkAddress(std::string_view text);

}  // namespace nuvrel::link
