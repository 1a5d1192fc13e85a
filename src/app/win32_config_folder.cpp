// SPDX-License-Identifier: MIT
// The roaming application-data folder of Windows.
#include <cstdlib>
#include <string>

#include "app/config_folder.h"
#include "app/win32_text.h"

namespace nuvrel::app {

std::optional<std::string> UserConfigFolder() {
  const wchar_t* appData = ::_wgetenv(L"APPDATA");
  if (appData == nullptr || appData[0] == L'\0') return std::nullopt;
  std::string folder = Utf8Text(appData);
  while (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/')) {
    folder.pop_back();
  }
  return folder;
}

}  // namespace nuvrel::app
