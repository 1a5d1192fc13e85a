// SPDX-License-Identifier: MIT
#include "app/file_io.h"

#include "app/utf8_path.h"

namespace nuvrel::app {

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of(kPathSeparators);
  if (slash == std::string::npos) return ".";
  // The root keeps its separator: "/", or a drive's "C:\".
  const bool driveRoot = kPathSeparators.size() > 1 && slash == 2 && path[1] == ':';
  if (slash == 0 || driveRoot) return path.substr(0, slash + 1);
  return path.substr(0, slash);
}

}  // namespace nuvrel::app
