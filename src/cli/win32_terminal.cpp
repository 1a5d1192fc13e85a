// SPDX-License-Identifier: MIT
#include <io.h>
#include <windows.h>

#include "cli/terminal.h"

namespace nuvrel::cli {
namespace {

constexpr std::size_t kDefaultColumns = 80;

HANDLE ConsoleOf(std::FILE* stream) {
  if (stream == nullptr) return INVALID_HANDLE_VALUE;
  return reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
}

}  // namespace

// _isatty is true for any character device, NUL included: only a console counts.
bool IsTerminal(std::FILE* stream) {
  const HANDLE console = ConsoleOf(stream);
  DWORD mode = 0;
  if (console == INVALID_HANDLE_VALUE || !::GetConsoleMode(console, &mode)) return false;
  if (stream != stdin) {
    (void)::SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
  }
  return true;
}

std::size_t TerminalColumns(std::FILE* terminal) {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (::GetConsoleScreenBufferInfo(ConsoleOf(terminal), &info)) {
    const int columns = info.srWindow.Right - info.srWindow.Left + 1;
    if (columns > 1) return static_cast<std::size_t>(columns - 1);
  }
  return kDefaultColumns - 1;
}

}  // namespace nuvrel::cli
