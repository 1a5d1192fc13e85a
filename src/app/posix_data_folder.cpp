// SPDX-License-Identifier: MIT
// The XDG data folder.
#include <cstdlib>

#include "app/data_folder.h"

namespace nuvrel::app {

std::optional<std::filesystem::path> DataFolder() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg != nullptr && xdg[0] == '/') return std::filesystem::path(xdg) / "Nuvrel";
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') {
    return std::filesystem::path(home) / ".local" / "share" / "Nuvrel";
  }
  return std::nullopt;
}

}  // namespace nuvrel::app
