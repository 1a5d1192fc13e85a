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

// The rates the link offers; each value is the rate in bits per second.
enum class Baud : std::uint32_t {
  k110 = 110,
  k300 = 300,
  k600 = 600,
  k1200 = 1200,
  k2400 = 2400,
  k4800 = 4800,
  k9600 = 9600,
  k19200 = 19200,
  k38400 = 38400,
  k57600 = 57600,
  k115200 = 115200,
};
inline constexpr Baud kBaudRates[] = {Baud::k110,   Baud::k300,   Baud::k600,   Baud::k1200,
                                      Baud::k2400,  Baud::k4800,  Baud::k9600,  Baud::k19200,
                                      Baud::k38400, Baud::k57600, Baud::k115200};

enum class DataBits : std::uint8_t { k5 = 5, k6 = 6, k7 = 7, k8 = 8 };
enum class Parity : std::uint8_t { None, Odd, Even, Mark, Space };
enum class StopBits : std::uint8_t { One, OneAndHalf, Two };

struct LineSettings {
  Baud baud = Baud::k9600;
  DataBits dataBits = DataBits::k8;
  Parity parity = Parity::None;
  StopBits stopBits = StopBits::One;
  std::uint32_t receiveQueue = 1024;
  std::uint32_t transmitQueue = 1024;
  // A write fails when the transmitter has taken nothing for this long (nobody drains the line).
  std::chrono::milliseconds writeStall{5000};
  // A pseudo-terminal has no line of its own; it takes each byte's line time all the same, so
  // that an exchange runs as on the serial line it stands for. Off: as fast as the far end reads.
  bool pacePseudoTerminal = true;
};

constexpr std::uint32_t BitsPerSecond(Baud baud) {
  return static_cast<std::uint32_t>(baud);
}

// The offered rate of that many bits per second; nothing for any other.
std::optional<Baud> BaudFor(std::uint32_t bitsPerSecond);

// One byte on the line: a start bit, the data bits, the parity bit if any and the stop bits (one
// and a half counted as two).
std::chrono::nanoseconds ByteTime(const LineSettings& settings);

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

}  // namespace nuvrel::link
