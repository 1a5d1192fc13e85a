// SPDX-License-Identifier: MIT
// The XDG config folder.
#include <cstdlib>

#include "app/config_folder.h"

namespace nuvrel::app {

std::optional<std::string> UserConfigFolder() {
  // Relative values are ignored, as the XDG base-directory rules ask.
  std::string folder;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  if (xdg != nullptr && xdg[0] == '/') {
    folder = xdg;
  } else if (home != nullptr && home[0] != '\0') {
    folder = std::string(home) + "/.config";
  } else {
    return std::nullopt;
  }
  while (folder.size() > 1 && folder.back() == '/') {
    folder.pop_back();
  }
  return folder;
}

}  // namespace nuvrel::app
