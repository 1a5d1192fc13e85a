// SPDX-License-Identifier: MIT
#include "link/port_map.h"

#include "app/default_ports.h"
#include "app/settings.h"
#include "app/settings_file.h"

namespace nuvrel::link {

std::array<std::string, 4> PortMap::BuiltInPorts() {
  std::array<std::string, 4> devices;
  for (std::size_t n = 1; n <= devices.size(); ++n) {
    devices[n - 1] = app::DefaultPortDevice(static_cast<int>(n));
  }
  return devices;
}

std::string PortMap::DeviceFor(unsigned portNumber) const {
  if (portNumber < 1 || portNumber > devices.size()) return {};
  return devices[portNumber - 1];
}

PortMap PortMap::AllTo(const std::string& device) {
  PortMap map;
  map.devices.fill(device);
  return map;
}

PortMap PortMap::FromSettings(const app::SettingsFile& settings) {
  PortMap map;
  for (unsigned n = 1; n <= map.devices.size(); ++n) {
    map.devices[n - 1] = app::DevicePathForPort(settings, static_cast<int>(n));
  }
  map.network = ReadNetworkSettings(settings);
  return map;
}

}  // namespace nuvrel::link
