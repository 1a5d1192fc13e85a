// SPDX-License-Identifier: MIT
// What every transfer with the register needs: the person, the clock, the way to the port, what
// the last identification learnt, and which COM port to use.
#pragma once

#include <filesystem>

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
  // Uploads start at this row: an upload that was cut short is resumed where the register stopped.
  int firstRow = 1;
  // Set by an upload that failed or was stopped with rows still to send: the first of them (the
  // row to resume from). 0 otherwise.
  int resumeRow = 0;
  // Where what each register holds is recorded (register_memory.h); empty: nothing is recorded.
  std::filesystem::path dataFolder{};
};

}  // namespace nuvrel::transfers
