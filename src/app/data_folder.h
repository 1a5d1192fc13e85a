// SPDX-License-Identifier: MIT
// Where Nuvrel keeps the data it gathers (what each register holds): one folder of the person's,
// found in one place so that another system's rules can take its place.
#pragma once

#include <filesystem>
#include <optional>

namespace nuvrel::app {

// $XDG_DATA_HOME/Nuvrel, or ~/.local/share/Nuvrel when that is not set (a relative value counts as
// not set); on Windows %APPDATA%\Nuvrel. Nothing when the environment names no such folder. The
// folder may not exist yet.
std::optional<std::filesystem::path> DataFolder();

}  // namespace nuvrel::app
