// SPDX-License-Identifier: MIT
// Where the shipped files are; the program's own path is in posix_program_path.cpp and
// win32_program_path.cpp.
#include "app/program_files.h"

#include <filesystem>
#include <system_error>

#include "app/utf8_path.h"
#include "app/version.h"

namespace nuvrel::app {

std::string ProgramFolder() {
  const std::filesystem::path program = Utf8Path(ProgramPath());
  return program.has_parent_path() ? PathText(program.parent_path()) : std::string(".");
}

std::string ShippedFile(std::string_view programFolder, std::string_view relative) {
  const std::filesystem::path folder = Utf8Path(programFolder.empty() ? "." : programFolder);
  // The relative name is written with '/'; Windows shows its own separator.
  const std::filesystem::path name = Utf8Path(relative).make_preferred();
  const std::filesystem::path beside = folder / name;
  const std::filesystem::path installed =
      (folder / Utf8Path(kDataFolderFromPrograms) / name).lexically_normal();
  std::error_code error;
  if (!std::filesystem::exists(beside, error) && std::filesystem::exists(installed, error)) {
    return PathText(installed);
  }
  return PathText(beside);
}

}  // namespace nuvrel::app
