// SPDX-License-Identifier: MIT
// Running the fleet: every register of the manifest takes the steps in order, several registers at
// once. Each register runs on a thread of its own with its own port, identity, person (a Ui that
// reports to the board) and trace; the core keeps no state shared between them. A register that
// fails stops its own steps only. Ctrl+C asks every running transfer to stop between records (each
// upload is closed as the protocol closes it) and starts no more.
#pragma once

#include <optional>
#include <string>

#include "cli/fleet_board.h"
#include "cli/fleet_manifest.h"

namespace nuvrel::cli {

struct FleetSettings {
  std::string settingsPath;                 // the settings file ([Network] for TLS and time-outs)
  unsigned jobs = 4;                        // registers at once
  std::optional<std::string> tracePattern;  // one trace per register, {name} in the path
  bool yes = false;                         // answer Yes to the transfers' questions
};

// Runs every register and returns when all have ended. The board gets everything that happens.
// False when the steps could not start (a logo file that cannot be used; said on err).
bool RunFleet(const FleetManifest& manifest, const FleetSettings& settings, FleetBoard& board,
              std::FILE* err);

}  // namespace nuvrel::cli
