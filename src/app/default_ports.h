// SPDX-License-Identifier: MIT
// The devices that COM1..COM4 stand for until the settings file names others.
#pragma once

#include <string>

namespace nuvrel::app {

// The built-in serial port number portNumber (1..4): /dev/ttyS0../dev/ttyS3 on Linux, COM1..COM4
// on Windows.
std::string DefaultPortDevice(int portNumber);

}  // namespace nuvrel::app
