// SPDX-License-Identifier: MIT
// The serial ports present on this computer, for choosing which device a COM name stands for.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace nuvrel::link {

struct FoundPort {
  std::string device;  // the path to keep in the settings, under the /dev folder scanned
  std::string name;    // what the person sees: the adapter's name, or the device's own name

  bool operator==(const FoundPort&) const = default;
};

// The ports under devRoot, in this order: each link in serial/by-id (named after the adapter, with
// the device it leads to, as "usb-FTDI_FT232R_USB_UART_A1-if00-port0 (ttyUSB0)"), then the
// ttyUSB* and ttyACM* devices that no such link leads to, then the ttyS* devices that are real
// hardware (the kernel knows their UART type: <sysRoot>/class/tty/ttySn/type is not 0, or, without
// that file, TIOCGSERIAL reports a type). Numbered names sort by their number. Nothing is opened
// but a ttyS* whose type sysfs does not tell.
// On Windows the roots mean nothing: the ports are the COM names the serial drivers registered, in
// the order of their numbers, each shown with its driver's device ("COM3 (VCP0)").
std::vector<FoundPort> FindSerialPorts(const std::filesystem::path& devRoot = "/dev",
                                       const std::filesystem::path& sysRoot = "/sys");

}  // namespace nuvrel::link
