// SPDX-License-Identifier: MIT
// How the program reaches a serial device server: the certificates for TLS and how long a
// connection may take. Section "Network" of the settings file.
#pragma once

#include <chrono>
#include <string>

namespace nuvrel::app {
class SettingsFile;
}

namespace nuvrel::link {

struct NetworkSettings {
  // CaFile: the certificates (PEM) that a server's certificate must chain to; empty: the system's.
  std::string caFile;
  // ClientCertificate, ClientKey: PEM files the program shows a server that asks who it is; the
  // key may sit in the certificate's file.
  std::string clientCertificate;
  std::string clientKey;
  // ConnectTimeout (ms): for the connection, the TLS handshake and the server's agreement to
  // control the line, each.
  std::chrono::milliseconds connectTimeout{5000};
};

NetworkSettings ReadNetworkSettings(const app::SettingsFile& settings);

}  // namespace nuvrel::link
