// SPDX-License-Identifier: MIT
// The trace file on Windows: a wide name, binary mode (each line ends in LF alone, as on Linux).
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "app/file_replace.h"
#include "app/utf8_path.h"
#include "link/trace_file.h"

namespace nuvrel::link {

std::FILE* OpenTraceFile(const std::string& path, std::string& error) {
  std::FILE* file = nullptr;
  if (const std::optional<int> stream = app::StandardStream(path)) {
    const int fd = ::_dup(*stream);
    if (fd >= 0) {
      (void)::_setmode(fd, _O_BINARY);
      file = ::_fdopen(fd, "wb");
      if (!file) ::_close(fd);
    }
  } else {
    const std::filesystem::path name = app::Utf8Path(path);
    const DWORD attributes = ::GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
      errno = EACCES;
    } else {
      file = ::_wfopen(name.c_str(), L"wbN");
    }
  }
  if (!file) error = std::strerror(errno);
  return file;
}

}  // namespace nuvrel::link
