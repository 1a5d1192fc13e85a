// SPDX-License-Identifier: MIT
#include "app/program_files.h"

#include <filesystem>
#include <system_error>

#include "app/version.h"

namespace nuvrel::app {

std::string ProgramPath() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : program.string();
}

std::string ProgramFolder() {
  const std::filesystem::path program(ProgramPath());
  return program.has_parent_path() ? program.parent_path().string() : std::string(".");
}

std::string ShippedFile(std::string_view programFolder, std::string_view relative) {
  const std::filesystem::path folder(programFolder.empty() ? std::string_view(".") : programFolder);
  const std::filesystem::path beside = folder / relative;
  const std::filesystem::path installed =
      (folder / kDataFolderFromPrograms / relative).lexically_normal();
  std::error_code error;
  if (!std::filesystem::exists(beside, error) && std::filesystem::exists(installed, error)) {
    return installed.string();
  }
  return beside.string();
}

}  // namespace nuvrel::app
