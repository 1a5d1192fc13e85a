// SPDX-License-Identifier: MIT
// Network addresses of ports: what is read from them and what is refused.
#include "link/port_address.h"

#include <gtest/gtest.h>

namespace nuvrel::link {
namespace {

TEST(PortAddress, EachKindReadsItsHostAndPort) {
  struct Case {
    const char* text;
    PortScheme scheme;
    bool tls;
    const char* host;
    std::uint16_t port;
  };
  for (const Case& c : {
           Case{"tcp://10.0.0.5:4001", PortScheme::Tcp, false, "10.0.0.5", 4001},
           Case{"rfc2217://shop-1.example:2217/", PortScheme::Rfc2217, false, "shop-1.example",
                2217},
           Case{"tcp+tls://[::1]:65535", PortScheme::Tcp, true, "::1", 65535},
           Case{"rfc2217+tls://localhost:1", PortScheme::Rfc2217, true, "localhost", 1},
       }) {
    const AddressParse parsed = ParseNetworkAddress(c.text);
    ASSERT_TRUE(parsed.address) << c.text << ": " << parsed.error;
    EXPECT_EQ(parsed.address->scheme, c.scheme) << c.text;
    EXPECT_EQ(parsed.address->tls, c.tls) << c.text;
    EXPECT_EQ(parsed.address->host, c.host) << c.text;
    EXPECT_EQ(parsed.address->port, c.port) << c.text;
  }
  EXPECT_TRUE(IsNetworkAddress("rfc2217://h:1"));
  EXPECT_FALSE(IsNetworkAddress("/dev/ttyUSB0"));
}

TEST(PortAddress, WhatIsNotAnAddressIsNamed) {
  struct Case {
    const char* text;
    const char* error;
  };
  for (const Case& c : {
           Case{"telnet://h:23", "not a port: use a device path"},
           Case{"tcp://h", "no port number"},
           Case{"tcp://h:0", "no port number"},
           Case{"tcp://h:65536", "no port number"},
           Case{"tcp://h:12x", "no port number"},
           Case{"tcp://:4001", "not a host name or address: "},
           Case{"tcp://h;rm -rf:1", "not a host name or address: h;rm -rf"},
           Case{"tcp://[::1:4001", "not a host name or address"},
           Case{"tcp://[fe80::1%eth0]:4001", "not a host name or address"},
       }) {
    const AddressParse parsed = ParseNetworkAddress(c.text);
    EXPECT_FALSE(parsed.address) << c.text;
    EXPECT_EQ(parsed.error.rfind(c.error, 0), 0u) << c.text << ": " << parsed.error;
  }
}

}  // namespace
}  // namespace nuvrel::link
