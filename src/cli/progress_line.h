// SPDX-License-Identifier: MIT
// The progress bar that nuvrel-cli draws on a terminal while a transfer runs.
#pragma once

#include <chrono>
#include <string>

#include "app/ui.h"

namespace nuvrel::cli {

// One line of at most `width` columns: what is being done, a bar when the total is known, the
// count, the rate and the time left, e.g.
//   Sending Articles to the ECR [########------------] 37/412 6.1/s 1:02 left
// Without a total (a report) the bar and the time left are left out.
std::string ProgressLine(const app::Progress& progress, std::chrono::milliseconds elapsed,
                         std::size_t width);

}  // namespace nuvrel::cli
