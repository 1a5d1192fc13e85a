// SPDX-License-Identifier: MIT
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include "gui/child_process_tie.h"

namespace nuvrel::gui {

void TieToThisProgram(QProcess& process) {
  const pid_t parent = ::getpid();
  process.setChildProcessModifier([parent] {
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(1);  // the program died before the line above
  });
}

}  // namespace nuvrel::gui
