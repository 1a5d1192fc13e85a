// SPDX-License-Identifier: MIT
// The running program's path on Linux.
#include <filesystem>
#include <system_error>

#include "app/program_files.h"

namespace nuvrel::app {

std::string ProgramPath() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : program.string();
}

}  // namespace nuvrel::app
