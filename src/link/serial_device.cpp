// SPDX-License-Identifier: MIT
// What every serial backend shares; the backends are posix_serial.cpp and win32_serial.cpp.
#include "link/serial_device.h"

#include <algorithm>
#include <array>

namespace nuvrel::link {

bool IsSupportedBaud(std::uint32_t baud) {
  static constexpr std::array<std::uint32_t, 11> kRates = {110,  300,   600,   1200,  2400,  4800,
                                                           9600, 19200, 38400, 57600, 115200};
  return std::find(kRates.begin(), kRates.end(), baud) != kRates.end();
}

}  // namespace nuvrel::link
