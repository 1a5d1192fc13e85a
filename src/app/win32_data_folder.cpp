// SPDX-License-Identifier: MIT
// The roaming application-data folder of Windows.
#include <cstdlib>

#include "app/data_folder.h"

namespace nuvrel::app {

std::optional<std::filesystem::path> DataFolder() {
  const wchar_t* appData = ::_wgetenv(L"APPDATA");
  if (appData == nullptr) return std::nullopt;
  const std::filesystem::path folder(appData);
  if (!folder.is_absolute()) return std::nullopt;
  return folder / L"Nuvrel";
}

}  // namespace nuvrel::app
