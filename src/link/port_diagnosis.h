// SPDX-License-Identifier: MIT
// Why a serial device cannot be opened, in terms a person can act on: the group whose members may
// use it, and the program that holds it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace nuvrel::link {

// The name of the group that owns the device (symbolic links followed), when that group may read
// and write it; nullopt when the device cannot be examined, its group has no name, or joining the
// group would not help.
std::optional<std::string> DeviceGroup(const std::string& devicePath);

struct PortHolder {
  long pid = 0;
  std::string name;  // the program's name, as the kernel keeps it (at most 15 characters)
};

// The process other than this one that holds the device: the one with a lock on it
// (procRoot/locks), else the first with the device open (one of its links procRoot/PID/fd/N leads
// to the device). Processes whose descriptors cannot be read (another user's) are passed over, so
// nullopt may only mean that none was found.
std::optional<PortHolder> FindPortHolder(const std::string& devicePath,
                                         const std::filesystem::path& procRoot = "/proc");

}  // namespace nuvrel::link
