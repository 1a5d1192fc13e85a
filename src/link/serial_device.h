// SPDX-License-Identifier: MIT
// One open serial device of the platform: the POSIX backend (termios) in posix_serial.cpp, the
// Windows backend (the COM port API) in win32_serial.cpp.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "link/port_diagnosis.h"
#include "link/transport.h"

namespace nuvrel::link {

struct LineSettings {
  std::uint32_t baud = 9600;
  int dataBits = 8;
  int parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
  int stopBits = 0;  // 0 one, 1 one and a half, 2 two
  std::uint32_t receiveQueue = 1024;
  std::uint32_t transmitQueue = 1024;
  // A write fails when the transmitter has taken nothing for this long (nobody drains the line).
  std::chrono::milliseconds writeStall{5000};
};

struct OpenFailure {
  std::string device;  // the device path tried
  std::string reason;  // the system's reason
  bool permissionDenied = false;
  std::optional<std::string> group;  // permission denied: the group whose members may use it
  std::optional<PortHolder> holder;  // in use: the process that holds it, when it can be found
  bool busy = false;  // another program has the port, and the system's reason does not say so
};

class SerialDevice : public Transport {
 public:
  // Releases the device.
  ~SerialDevice() override = default;
};

// Opens the device exclusively with the line settings: raw, no flow control, DTR on, RTS low; drops
// what was waiting. Returns nullptr and fills failure when the device cannot be opened. On Windows
// the path is a COM name ("COM3") or a device path ("\\.\COM10").
std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& path,
                                               const LineSettings& settings, OpenFailure& failure);

// True for the rates the link accepts: 110 to 115200 in the usual steps.
bool IsSupportedBaud(std::uint32_t baud);

}  // namespace nuvrel::link
