// SPDX-License-Identifier: MIT
// The user's folder for programs' settings.
#pragma once

#include <optional>
#include <string>

namespace nuvrel::app {

// $XDG_CONFIG_HOME (when absolute), else $HOME/.config on POSIX; %APPDATA% on Windows. UTF-8,
// without a trailing separator; nothing when the environment names no such folder.
std::optional<std::string> UserConfigFolder();

}  // namespace nuvrel::app
