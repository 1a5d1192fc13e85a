// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>

#include <cstdio>

#include "app/win32_text.h"
#include "cli/program_start.h"

namespace nuvrel::cli {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  (void)::_setmode(::_fileno(stdout), _O_BINARY);
  (void)::_setmode(::_fileno(stderr), _O_BINARY);
  (void)::SetConsoleOutputCP(CP_UTF8);
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv + 1, argv + argc);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) {
    args.push_back(app::Utf8Text(wide[i]));
  }
  ::LocalFree(wide);
  return args;
}

}  // namespace nuvrel::cli
