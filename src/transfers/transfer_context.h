// SPDX-License-Identifier: MIT
// What every transfer with the register needs: the person, the clock, the way to the port, what
// the last identification learnt, and which COM port to use.
#pragma once

#include "app/ui.h"
#include "link/clock.h"
#include "link/handshake.h"
#include "link/port_opener.h"

namespace nuvrel::transfers {

struct TransferContext {
  app::Ui& ui;
  link::Clock& clock;
  link::PortOpener& ports;
  link::RegisterIdentity& identity;  // kept for the whole run of the program
  int comPortIndex = 0;              // 0 for COM1 .. 3 for COM4
};

}  // namespace nuvrel::transfers
