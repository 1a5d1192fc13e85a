// SPDX-License-Identifier: MIT
// One run of ecrsim from parsed options: sets up the pseudo-terminal, the link, the trace, the
// state folder and the stop signals, announces the slave and serves the register till told to stop.
#pragma once

#include <cstdio>

#include "sim/options.h"

namespace nuvrel::sim {

// Runs the simulator; returns the exit status (0 stopped or hung up as told, 1 failed). The first
// line on out is "ecrsim: listening on SLAVE" (or tcp://HOST:PORT with --listen); diagnostics go
// to err, each prefixed "ecrsim: ".
int RunSimulator(const Options& options, std::FILE* out, std::FILE* err);

}  // namespace nuvrel::sim
