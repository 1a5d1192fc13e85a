// SPDX-License-Identifier: MIT
// The program's own keys in the settings file.
#include "app/settings.h"

#include "app/default_ports.h"

namespace nuvrel::app {
namespace {

constexpr std::string_view kEcrSection = "ECR";
constexpr std::string_view kComKey = "EcrCom";
constexpr std::string_view kPortsSection = "Ports";
constexpr std::string_view kLogoSection = "logoman";
constexpr std::string_view kLogoKey = "image";
constexpr int kPortCount = 4;

std::string PortKey(int portNumber) {
  return "COM" + std::to_string(portNumber);
}

}  // namespace

int ReadComPortIndex(const SettingsFile& settings) {
  // Only COM1 to COM4 can be meant; anything else is read as if the key were missing, so no
  // arithmetic on the port number can overflow.
  const unsigned index = settings.GetInt(kEcrSection, kComKey, 0);
  return index < static_cast<unsigned>(kPortCount) ? static_cast<int>(index) : 0;
}

bool WriteComPortIndex(SettingsFile& settings, int index) {
  return settings.WriteInt(kEcrSection, kComKey, index);
}

std::string DevicePathForPort(const SettingsFile& settings, int portNumber) {
  if (portNumber < 1 || portNumber > kPortCount) {
    return {};
  }
  return settings.GetString(kPortsSection, PortKey(portNumber), DefaultPortDevice(portNumber));
}

bool WriteDevicePathForPort(SettingsFile& settings, int portNumber, std::string_view devicePath) {
  if (portNumber < 1 || portNumber > kPortCount) {
    return false;
  }
  return settings.WriteString(kPortsSection, PortKey(portNumber), devicePath);
}

std::string LogoPath(const SettingsFile& settings) {
  std::string path = settings.GetString(kLogoSection, kLogoKey, "");
  if (path.size() > kLogoPathLimit) {
    path.resize(kLogoPathLimit);
  }
  return path;
}

bool WriteLogoPath(SettingsFile& settings, std::string_view path) {
  return settings.WriteString(kLogoSection, kLogoKey, path);
}

}  // namespace nuvrel::app
