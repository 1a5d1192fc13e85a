// SPDX-License-Identifier: MIT
// Opening the register's line through a serial device server on the network.
#pragma once

#include <memory>
#include <string>

#include "link/network_settings.h"
#include "link/serial_device.h"
#include "link/transport.h"

namespace nuvrel::link {

class TraceLog;

// Connects to the address (see port_address.h), with TLS when it asks for it, and for an
// rfc2217 address has the server set the line. nullptr when it cannot, with failure.device the
// address and failure.reason why. A plain connection to an address that is neither on this
// machine nor on a private network carries a warning, the first time in this run for that address.
std::unique_ptr<Transport> OpenNetworkPort(const std::string& address, const LineSettings& line,
                                           const NetworkSettings& network, TraceLog* trace,
                                           OpenFailure& failure);

}  // namespace nuvrel::link
