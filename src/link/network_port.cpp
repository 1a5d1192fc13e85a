// SPDX-License-Identifier: MIT
#include "link/network_port.h"

#include <mutex>
#include <set>

#include "app/format.h"
#include "app/strings.h"
#include "link/net_socket.h"
#include "link/net_stream.h"
#include "link/port_address.h"
#include "link/tcp_transport.h"
#include "link/telnet_com_port.h"
#include "link/tls_stream.h"

namespace nuvrel::link {
namespace {

// True the first time it is asked about the address in this run.
bool FirstWarningFor(const std::string& address) {
  static std::mutex mutex;
  static std::set<std::string> warned;
  const std::lock_guard lock(mutex);
  return warned.insert(address).second;
}

}  // namespace

std::unique_ptr<Transport> OpenNetworkPort(const std::string& address, const LineSettings& line,
                                           const NetworkSettings& network, TraceLog* trace,
                                           OpenFailure& failure) {
  failure = OpenFailure{address, {}, false, {}, {}};
  const AddressParse parsed = ParseNetworkAddress(address);
  if (!parsed.address) {
    failure.reason = parsed.error;
    return nullptr;
  }
  const NetworkAddress& where = *parsed.address;
  TcpConnect connected = ConnectTcp(where.host, where.port, network.connectTimeout);
  if (!connected.socket.Valid()) {
    failure.reason = connected.error;
    return nullptr;
  }
  std::string warning;
  if (!where.tls && !connected.privatePeer && FirstWarningFor(address)) {
    warning = app::Format(app::Sid::PlainAcrossNetwork, {address});
  }
  std::unique_ptr<NetStream> stream;
  if (where.tls) {
    TlsStart secured = StartTls(std::move(connected.socket), where.host, network);
    if (!secured.stream) {
      failure.reason = secured.error;
      return nullptr;
    }
    stream = std::move(secured.stream);
  } else {
    stream = MakePlainStream(std::move(connected.socket));
  }
  if (where.scheme == PortScheme::Tcp) {
    auto port = std::make_unique<StreamTransport>(std::move(stream), address, warning);
    port->Purge();
    return port;
  }
  auto port = TelnetComPort::Start(std::move(stream), address, warning, line,
                                   network.connectTimeout, trace, failure.reason);
  return port;
}

}  // namespace nuvrel::link
