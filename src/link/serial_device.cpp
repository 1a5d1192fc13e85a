// SPDX-License-Identifier: MIT
// What every serial backend shares; the backends are posix_serial.cpp and win32_serial.cpp.
#include "link/serial_device.h"

namespace nuvrel::link {

std::optional<Baud> BaudFor(std::uint32_t bitsPerSecond) {
  for (const Baud baud : kBaudRates) {
    if (BitsPerSecond(baud) == bitsPerSecond) return baud;
  }
  return std::nullopt;
}

std::chrono::nanoseconds ByteTime(const LineSettings& settings) {
  const long long bits = 1 + static_cast<long long>(settings.dataBits) +
                         (settings.parity != Parity::None ? 1 : 0) +
                         (settings.stopBits == StopBits::One ? 1 : 2);
  return std::chrono::nanoseconds(bits * 1'000'000'000LL / BitsPerSecond(settings.baud));
}

}  // namespace nuvrel::link
