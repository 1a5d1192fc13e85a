// SPDX-License-Identifier: MIT
// nuvrel-cli fleet MANIFEST [--jobs N]: the steps of the manifest on every register it lists.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/options.h"

namespace nuvrel::cli {

// Runs the fleet command with its words (after "fleet"); the exit status: 0 when every register
// took every step, 1 otherwise, 2 for a usage error (a manifest that cannot be read included),
// 130 when stopped by Ctrl+C.
int RunFleetCommand(const std::vector<std::string>& words, const Options& options, std::FILE* out,
                    std::FILE* err);

}  // namespace nuvrel::cli
