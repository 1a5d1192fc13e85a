// SPDX-License-Identifier: MIT
// Windows has no device groups, and does not tell which program holds a serial port: a port in use
// is reported as such (OpenFailure::busy) without a name.
#include "link/port_diagnosis.h"

namespace nuvrel::link {

std::optional<std::string> DeviceGroup(const std::string&) {
  return std::nullopt;
}

std::optional<PortHolder> FindPortHolder(const std::string&, const std::filesystem::path&) {
  return std::nullopt;
}

}  // namespace nuvrel::link
