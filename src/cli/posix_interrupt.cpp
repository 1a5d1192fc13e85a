// SPDX-License-Identifier: MIT
#include <atomic>
#include <csignal>

#include "cli/interrupt.h"

namespace nuvrel::cli {
namespace {

// Set by the handler, read by every register's thread of a fleet: an atomic that needs no lock.
std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);
struct sigaction g_previous {};

void OnInterrupt(int) {
  g_interrupted = true;
}

}  // namespace

InterruptCatcher::InterruptCatcher() {
  g_interrupted = false;
  struct sigaction action {};
  action.sa_handler = &OnInterrupt;
  sigemptyset(&action.sa_mask);
  // The second Ctrl+C finds the default handling again and ends the program.
  action.sa_flags = SA_RESETHAND;
  sigaction(SIGINT, &action, &g_previous);
}

InterruptCatcher::~InterruptCatcher() {
  sigaction(SIGINT, &g_previous, nullptr);
}

bool Interrupted() {
  return g_interrupted;
}

}  // namespace nuvrel::cli
