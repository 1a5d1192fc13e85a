// SPDX-License-Identifier: MIT
#include "app/default_ports.h"

namespace nuvrel::app {

std::string DefaultPortDevice(int portNumber) {
  return "/dev/ttyS" + std::to_string(portNumber - 1);
}

}  // namespace nuvrel::app
