// SPDX-License-Identifier: MIT
// TLS to a serial device server. The server's certificate must chain to the CA file of the
// settings (or the system's CAs) and name the host that was asked for; a client certificate is
// shown when the settings give one.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "app/unique_fd.h"
#include "link/net_stream.h"
#include "link/network_settings.h"

namespace nuvrel::link {

struct TlsStart {
  std::unique_ptr<NetStream> stream;  // null when the handshake failed
  std::string error;                  // why
};

// Runs the TLS handshake over the connected socket, within the settings' connect time-out.
TlsStart StartTls(app::UniqueFd socket, const std::string& host, const NetworkSettings& settings);

}  // namespace nuvrel::link
