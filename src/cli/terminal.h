// SPDX-License-Identifier: MIT
// The terminal a console program writes to.
#pragma once

#include <cstddef>
#include <cstdio>

namespace nuvrel::cli {

// Whether the stream is a terminal (on Windows a console, whose handling of the control sequences
// that redraw a line is then turned on).
bool IsTerminal(std::FILE* stream);

// The terminal's width less one column, so that the cursor never wraps; 79 when it cannot be told.
std::size_t TerminalColumns(std::FILE* terminal);

}  // namespace nuvrel::cli
