// SPDX-License-Identifier: MIT
#include "link/port_address.h"

#include <array>
#include <charconv>

#include "app/format.h"
#include "app/strings.h"

namespace nuvrel::link {
namespace {

struct Scheme {
  std::string_view prefix;
  PortScheme scheme;
  bool tls;
};

constexpr std::array<Scheme, 4> kSchemes{{
    {"tcp://", PortScheme::Tcp, false},
    {"tcp+tls://", PortScheme::Tcp, true},
    {"rfc2217://", PortScheme::Rfc2217, false},
    {"rfc2217+tls://", PortScheme::Rfc2217, true},
}};

// A host name is letters, digits, '-', '_' and '.'; an IPv6 address hex digits, ':' and '.'
// (an IPv4 tail). Nothing else reaches the resolver.
bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_' || c == '.';
}

bool IsIpv6Char(char c) {
  return (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F') || (c >= '0' && c <= '9') || c == ':' ||
         c == '.';
}

}  // namespace

bool IsNetworkAddress(std::string_view text) {
  return text.find("://") != std::string_view::npos;
}

AddressParse ParseNetworkAddress(std::string_view text) {
  AddressParse result;
  auto fail = [&](std::string why) {
    result.error = std::move(why);
    return result;
  };
  auto badHost = [&](std::string_view host) {
    return fail(app::Format(app::Sid::AddressBadHost, {std::string(host)}));
  };
  const std::string noPort(app::Text(app::Sid::AddressNoPort));
  const Scheme* scheme = nullptr;
  for (const Scheme& s : kSchemes) {
    if (text.substr(0, s.prefix.size()) == s.prefix) scheme = &s;
  }
  if (!scheme) return fail(std::string(app::Text(app::Sid::AddressUnknownKind)));
  std::string_view rest = text.substr(scheme->prefix.size());
  if (!rest.empty() && rest.back() == '/') rest.remove_suffix(1);

  std::string_view host;
  std::string_view port;
  if (!rest.empty() && rest.front() == '[') {
    const auto close = rest.find(']');
    if (close == std::string_view::npos) return badHost(rest);
    host = rest.substr(1, close - 1);
    if (host.empty()) return badHost(host);
    for (char c : host) {
      if (!IsIpv6Char(c)) return badHost(host);
    }
    if (close + 1 >= rest.size() || rest[close + 1] != ':') return fail(noPort);
    port = rest.substr(close + 2);
  } else {
    const auto colon = rest.rfind(':');
    if (colon == std::string_view::npos) return fail(noPort);
    host = rest.substr(0, colon);
    port = rest.substr(colon + 1);
    // The longest name DNS carries.
    if (host.empty() || host.size() > 253) return badHost(host);
    for (char c : host) {
      if (!IsNameChar(c)) return badHost(host);
    }
  }
  unsigned number = 0;
  const auto [end, ec] = std::from_chars(port.data(), port.data() + port.size(), number);
  if (port.empty() || ec != std::errc() || end != port.data() + port.size() || number == 0 ||
      number > 65535) {
    return fail(noPort);
  }
  result.address = NetworkAddress{scheme->scheme, scheme->tls, std::string(host),
                                  static_cast<std::uint16_t>(number), std::string(text)};
  return result;
}

}  // namespace nuvrel::link
