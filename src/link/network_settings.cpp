// SPDX-License-Identifier: MIT
#include "link/network_settings.h"

#include <algorithm>

#include "app/settings_file.h"

namespace nuvrel::link {

NetworkSettings ReadNetworkSettings(const app::SettingsFile& settings) {
  constexpr std::string_view kSection = "Network";
  NetworkSettings network;
  network.caFile = settings.GetString(kSection, "CaFile", "");
  network.clientCertificate = settings.GetString(kSection, "ClientCertificate", "");
  network.clientKey = settings.GetString(kSection, "ClientKey", "");
  const auto defaultMs = static_cast<unsigned>(network.connectTimeout.count());
  // A minute is the most anyone waits for a connection; 0 would never connect.
  const unsigned ms =
      std::clamp(settings.GetInt(kSection, "ConnectTimeout", defaultMs), 1u, 60'000u);
  network.connectTimeout = std::chrono::milliseconds(ms);
  return network;
}

}  // namespace nuvrel::link
