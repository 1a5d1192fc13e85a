// SPDX-License-Identifier: MIT
// Finding the serial ports, on a /dev and /sys tree made of plain files and links.
#include "link/port_scan.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace nuvrel::link {

void PrintTo(const FoundPort& p, std::ostream* os) {
  *os << p.device << " \"" << p.name << '"';
}

namespace {

namespace fs = std::filesystem;

TEST(PortScan, AdaptersByNameThenUsbDevicesThenRealUarts) {
  test::TempDir root;
  const std::string dev = root / "dev";
  const std::string sys = root / "sys";
  fs::create_directories(dev + "/serial/by-id");
  for (const char* name : {"ttyUSB0", "ttyUSB1", "ttyUSB10", "ttyUSB2", "ttyACM0", "ttyS0", "ttyS1",
                           "ttyS2", "ttyS10", "tty0", "ttyprintk", "ttyUSB"}) {
    test::WriteBytes(dev + "/" + name, "");
  }
  fs::create_symlink("../../ttyUSB1", dev + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0");
  fs::create_symlink("../../ttyUSB9", dev + "/serial/by-id/usb-gone-if00-port0");  // unplugged
  // ttyS0 and ttyS10 have a UART behind them; ttyS1 is a placeholder; ttyS2's type is unknown and
  // a plain file does not answer the driver's question.
  for (const auto& [name, type] :
       {std::pair{"ttyS0", "4\n"}, {"ttyS1", "0\n"}, {"ttyS10", "4\n"}}) {
    fs::create_directories(sys + "/class/tty/" + name);
    test::WriteBytes(sys + "/class/tty/" + name + "/type", type);
  }

  const std::vector<FoundPort> expected{
      {dev + "/serial/by-id/usb-FTDI_FT232R_USB_UART_A1-if00-port0",
       "usb-FTDI_FT232R_USB_UART_A1-if00-port0 (ttyUSB1)"},
      {dev + "/ttyUSB0", "ttyUSB0"},
      {dev + "/ttyUSB2", "ttyUSB2"},
      {dev + "/ttyUSB10", "ttyUSB10"},
      {dev + "/ttyACM0", "ttyACM0"},
      {dev + "/ttyS0", "ttyS0"},
      {dev + "/ttyS10", "ttyS10"},
  };
  EXPECT_EQ(FindSerialPorts(dev, sys), expected);
  EXPECT_TRUE(FindSerialPorts(root / "none", sys).empty());
}

}  // namespace
}  // namespace nuvrel::link
