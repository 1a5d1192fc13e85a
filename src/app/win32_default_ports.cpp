// SPDX-License-Identifier: MIT
#include "app/default_ports.h"

namespace nuvrel::app {

std::string DefaultPortDevice(int portNumber) {
  return "COM" + std::to_string(portNumber);
}

}  // namespace nuvrel::app
