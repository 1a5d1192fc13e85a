// SPDX-License-Identifier: MIT
// The running program's path on Windows.
#include <windows.h>

#include <string>

#include "app/program_files.h"
#include "app/win32_text.h"

namespace nuvrel::app {

std::string ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    // A path that fills the buffer may have been cut.
    if (length < path.size()) {
      path.resize(length);
      return Utf8Text(path);
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}

}  // namespace nuvrel::app
