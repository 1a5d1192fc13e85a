// SPDX-License-Identifier: MIT
// The program's own keys in the settings file: the register's COM port, the device behind each COM
// name, and the last logo image.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "app/settings_file.h"

namespace nuvrel::app {

// The longest logo path kept on reading: a path buffer of 260 bytes less its terminator.
inline constexpr std::size_t kLogoPathLimit = 259;

// [ECR] EcrCom: the 0-based index of the register's port (0 = COM1). Not range-checked here; the
// caller decides what an index outside its list means.
int ReadComPortIndex(const SettingsFile& settings);
bool WriteComPortIndex(SettingsFile& settings, int index);

// [Ports] COM1..COM4: the device path for port number 1..4, by default the built-in port
// (/dev/ttyS0../dev/ttyS3; COM1..COM4 on Windows).
// Any other port number gives an empty string.
std::string DevicePathForPort(const SettingsFile& settings, int portNumber);
// Makes devicePath the device of COMn; false for a port number outside 1..4 or a failed write.
bool WriteDevicePathForPort(SettingsFile& settings, int portNumber, std::string_view devicePath);

// [logoman] image: the last logo image chosen, empty by default, cut to kLogoPathLimit bytes.
std::string LogoPath(const SettingsFile& settings);
bool WriteLogoPath(SettingsFile& settings, std::string_view path);

}  // namespace nuvrel::app
