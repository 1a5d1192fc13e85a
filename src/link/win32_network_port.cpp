// SPDX-License-Identifier: MIT
// The Windows build opens serial ports only: its connections to serial device servers would need
// Winsock, and it has none. A network address is refused with a message that says so.
#include "app/strings.h"
#include "link/network_port.h"

namespace nuvrel::link {

std::unique_ptr<Transport> OpenNetworkPort(const std::string& address, const LineSettings&,
                                           const NetworkSettings&, TraceLog*,
                                           OpenFailure& failure) {
  failure = OpenFailure{};
  failure.device = address;
  failure.reason = app::Text(app::Sid::NoNetworkPorts);
  return nullptr;
}

}  // namespace nuvrel::link
