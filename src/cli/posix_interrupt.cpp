// SPDX-License-Identifier: MIT
#include <csignal>

#include "cli/interrupt.h"

namespace nuvrel::cli {
namespace {

volatile std::sig_atomic_t g_interrupted = 0;
struct sigaction g_previous {};

void OnInterrupt(int) {
  g_interrupted = 1;
}

}  // namespace

InterruptCatcher::InterruptCatcher() {
  g_interrupted = 0;
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
  return g_interrupted != 0;
}

}  // namespace nuvrel::cli
