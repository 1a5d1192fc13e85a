// SPDX-License-Identifier: MIT
// A helper program that must not outlive the desktop program.
#pragma once

#include <QProcess>

namespace nuvrel::gui {

// Makes the process, once started, end with this program however this program ends (a crash or a
// kill included): on Linux the child asks for a signal when its parent dies; elsewhere nothing is
// done, and the owner ends the child when it goes away.
void TieToThisProgram(QProcess& process);

}  // namespace nuvrel::gui
