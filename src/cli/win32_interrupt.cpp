// SPDX-License-Identifier: MIT
// Ctrl+C on a Windows console: the console calls the handler on a thread of its own.
#include <windows.h>

#include <atomic>

#include "cli/interrupt.h"

namespace nuvrel::cli {
namespace {

std::atomic<bool> g_interrupted{false};

BOOL WINAPI OnControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  // The second Ctrl+C goes on to the default handling, which ends the program.
  return g_interrupted.exchange(true) ? FALSE : TRUE;
}

}  // namespace

InterruptCatcher::InterruptCatcher() {
  g_interrupted = false;
  (void)::SetConsoleCtrlHandler(&OnControl, TRUE);
}

InterruptCatcher::~InterruptCatcher() {
  (void)::SetConsoleCtrlHandler(&OnControl, FALSE);
}

bool Interrupted() {
  return g_interrupted;
}

}  // namespace nuvrel::cli
