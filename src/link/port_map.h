// SPDX-License-Identifier: MIT
// Which device path or network address stands for COM1..COM4, and how the network is reached.
#pragma once

#include <array>
#include <string>

#include "link/network_settings.h"

namespace nuvrel::app {
class SettingsFile;
}

namespace nuvrel::link {

struct PortMap {
  std::array<std::string, 4> devices = BuiltInPorts();
  // For ports that are network addresses.
  NetworkSettings network;

  // The built-in ports: /dev/ttyS0../dev/ttyS3 (COM1..COM4 on Windows).
  static std::array<std::string, 4> BuiltInPorts();

  // The device of COMn (n = 1..4); the empty text for any other number.
  std::string DeviceFor(unsigned portNumber) const;

  // Every COM port on one device: the command line's --port, the simulator of the desktop program.
  static PortMap AllTo(const std::string& device);

  // The "Ports" and "Network" sections of the settings file.
  static PortMap FromSettings(const app::SettingsFile& settings);
};

}  // namespace nuvrel::link
