// SPDX-License-Identifier: MIT
#include "gui/child_process_tie.h"

namespace nuvrel::gui {

void TieToThisProgram(QProcess&) {}

}  // namespace nuvrel::gui
