// SPDX-License-Identifier: MIT
// Finding the serial ports on Windows: the serial port drivers list each port they serve under
// HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM, the driver's device as the value's name and the
// COM name as its data.
#include <windows.h>

#include <algorithm>

#include "app/win32_text.h"
#include "link/port_scan.h"

namespace nuvrel::link {
namespace {

// The number of "COMn"; 0 for another name.
unsigned ComNumber(const std::string& name) {
  if (name.size() < 4 || name.size() > 6 || name.compare(0, 3, "COM") != 0) return 0;
  unsigned number = 0;
  for (std::size_t i = 3; i < name.size(); ++i) {
    if (name[i] < '0' || name[i] > '9') return 0;
    number = number * 10 + static_cast<unsigned>(name[i] - '0');
  }
  return number;
}

}  // namespace

std::vector<FoundPort> FindSerialPorts(const std::filesystem::path&, const std::filesystem::path&) {
  std::vector<FoundPort> ports;
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return ports;
  }
  for (DWORD index = 0; index < 256; ++index) {
    wchar_t name[256];
    wchar_t data[64];
    DWORD nameLength = 256;
    DWORD dataSize = sizeof data - sizeof(wchar_t);
    DWORD type = 0;
    const LONG result = ::RegEnumValueW(key, index, name, &nameLength, nullptr, &type,
                                        reinterpret_cast<BYTE*>(data), &dataSize);
    if (result == ERROR_NO_MORE_ITEMS) break;
    if (result != ERROR_SUCCESS || type != REG_SZ) continue;
    data[dataSize / sizeof(wchar_t)] = L'\0';
    const std::string com = app::Utf8Text(data);
    if (ComNumber(com) == 0) continue;
    // "\Device\Serial0" or "\Device\VCP0" says which driver serves the port.
    std::string driver = app::Utf8Text(std::wstring_view(name, nameLength));
    driver = driver.substr(driver.find_last_of('\\') + 1);
    ports.push_back({com, driver.empty() ? com : com + " (" + driver + ")"});
  }
  ::RegCloseKey(key);
  std::sort(ports.begin(), ports.end(), [](const FoundPort& a, const FoundPort& b) {
    return ComNumber(a.device) < ComNumber(b.device);
  });
  return ports;
}

}  // namespace nuvrel::link
