// SPDX-License-Identifier: MIT
#include <sys/ioctl.h>
#include <unistd.h>

#include "cli/terminal.h"

namespace nuvrel::cli {
namespace {

constexpr std::size_t kDefaultColumns = 80;

}  // namespace

bool IsTerminal(std::FILE* stream) {
  return stream != nullptr && ::isatty(::fileno(stream));
}

std::size_t TerminalColumns(std::FILE* terminal) {
  winsize size{};
  if (::ioctl(::fileno(terminal), TIOCGWINSZ, &size) == 0 && size.ws_col > 1) {
    return size.ws_col - 1u;
  }
  return kDefaultColumns - 1;
}

}  // namespace nuvrel::cli
