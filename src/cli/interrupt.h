// SPDX-License-Identifier: MIT
// Ctrl+C during a transfer: the first one asks the transfer to stop between records, so the upload
// is closed properly and the port released; a second one ends the program at once.
#pragma once

namespace nuvrel::cli {

// Catches SIGINT for as long as it lives and restores the previous handling after.
class InterruptCatcher {
 public:
  InterruptCatcher();
  ~InterruptCatcher();
  InterruptCatcher(const InterruptCatcher&) = delete;
  InterruptCatcher& operator=(const InterruptCatcher&) = delete;
};

// Whether Ctrl+C has come since the catcher was set up.
bool Interrupted();

}  // namespace nuvrel::cli
