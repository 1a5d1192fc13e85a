// SPDX-License-Identifier: MIT
// Finding the serial ports: udev's by-id links, USB adapters, and the built-in UARTs that exist.
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <string_view>
#include <utility>

#include "link/port_scan.h"

namespace nuvrel::link {
namespace {

namespace fs = std::filesystem;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// "ttyUSB10" comes after "ttyUSB9": names compare by their text before the trailing number, then
// by the number.
bool NumberedLess(const std::string& a, const std::string& b) {
  const auto split = [](const std::string& name) {
    std::size_t digits = name.size();
    while (digits > 0 && IsDigit(name[digits - 1])) {
      --digits;
    }
    std::string_view number = std::string_view(name).substr(digits);
    while (number.size() > 1 && number.front() == '0') {
      number.remove_prefix(1);
    }
    return std::pair(std::string_view(name).substr(0, digits), number);
  };
  const auto [stemA, numberA] = split(a);
  const auto [stemB, numberB] = split(b);
  if (stemA != stemB) return stemA < stemB;
  if (numberA.size() != numberB.size()) return numberA.size() < numberB.size();
  if (numberA != numberB) return numberA < numberB;
  return a < b;
}

// The names in folder that start with prefix and go on, sorted by NumberedLess.
std::vector<std::string> NamesIn(const fs::path& folder, std::string_view prefix) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    if (name.size() > prefix.size() && name.starts_with(prefix)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), NumberedLess);
  return names;
}

// Every ttyS the driver offers exists as a device, but only those with a UART behind them answer;
// the kernel gives the others the type PORT_UNKNOWN (0).
bool IsRealUart(const fs::path& device, const fs::path& sysRoot, const std::string& name) {
  std::ifstream typeFile(sysRoot / "class/tty" / name / "type");
  int type = 0;
  if (typeFile >> type) return type != PORT_UNKNOWN;
  const int fd = ::open(device.c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  serial_struct info{};
  const bool known = ::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
  ::close(fd);
  return known;
}

std::string Canonical(const fs::path& path) {
  std::error_code error;
  const fs::path target = fs::canonical(path, error);
  return error ? std::string() : target.string();
}

}  // namespace

std::vector<FoundPort> FindSerialPorts(const fs::path& devRoot, const fs::path& sysRoot) {
  std::vector<FoundPort> ports;
  std::set<std::string> linked;  // the devices reached through a by-id link

  const fs::path byId = devRoot / "serial/by-id";
  for (const std::string& name : NamesIn(byId, "")) {
    const std::string target = Canonical(byId / name);
    if (target.empty()) continue;  // the adapter is gone, its link not yet
    linked.insert(target);
    ports.push_back(
        {(byId / name).string(), name + " (" + fs::path(target).filename().string() + ")"});
  }
  for (const std::string_view prefix : {"ttyUSB", "ttyACM"}) {
    for (const std::string& name : NamesIn(devRoot, prefix)) {
      const fs::path device = devRoot / name;
      if (!linked.contains(Canonical(device))) ports.push_back({device.string(), name});
    }
  }
  for (const std::string& name : NamesIn(devRoot, "ttyS")) {
    const fs::path device = devRoot / name;
    if (IsRealUart(device, sysRoot, name)) ports.push_back({device.string(), name});
  }
  return ports;
}

}  // namespace nuvrel::link
