// SPDX-License-Identifier: MIT
// What a transfer from the window needs beyond the sheets: the ports, what the last identification
// learnt, and the COM port in use.
#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/data_folder.h"
#include "gui/gui_ui.h"
#include "gui/pumping_link.h"
#include "link/clock.h"
#include "link/handshake.h"
#include "link/port_opener.h"
#include "link/trace.h"
#include "transfers/transfer_context.h"

namespace nuvrel::gui {

struct RegisterLink {
  RegisterLink() = default;
  RegisterLink(const RegisterLink&) = delete;
  RegisterLink& operator=(const RegisterLink&) = delete;

  std::unique_ptr<link::PortOpener> ports;  // opened with `trace`
  // Every byte on the register's port, for the window's communication log.
  link::TraceLog trace{[this](const link::TraceEntry& entry) {
    if (onTrace) onTrace(entry);
  }};
  std::function<void(const link::TraceEntry&)> onTrace;
  link::RegisterIdentity identity;
  int comPortIndex = 0;
  QString simulatedDevice;  // set when the ports lead to the simulated register
  // Where what each register holds is recorded (empty: nowhere).
  std::filesystem::path dataFolder = app::DataFolder().value_or(std::filesystem::path());

  // Runs one transfer from the window and returns what it returns: `transfer` is called with the
  // transfer's context, talks to the person through `ui`, and its waits keep the window painting
  // while the window's input is thrown away.
  template <class Transfer>
  auto Run(GuiUi& ui, Transfer&& transfer) {
    pumpedPorts = std::make_unique<PumpingPortOpener>(*ports);
    transfers::TransferContext context{ui, *clock, *pumpedPorts, identity, comPortIndex};
    context.dataFolder = dataFolder;
    return ui.RunTransfer([&] { return transfer(context); });
  }

  PumpingClock pumpingClock;
  // What the transfers' time-outs and pauses run on: the pumping clock, or a test's fake one.
  link::Clock* clock = &pumpingClock;
  std::unique_ptr<PumpingPortOpener> pumpedPorts;  // over `ports`, for the running transfer
};

}  // namespace nuvrel::gui
