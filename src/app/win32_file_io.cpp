// SPDX-License-Identifier: MIT
// Reading files on Windows: wide names (any character of a file name), binary mode (no CR LF
// translation).
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>

#include "app/file_io.h"
#include "app/unique_fd.h"

namespace nuvrel::app {
namespace {

constexpr std::size_t kReadBlock = 64 * 1024;
constexpr unsigned kMaxReadCall = 1u << 30;  // _read takes an unsigned int count

}  // namespace

int ReadPermissionError(const std::filesystem::path& path) {
  UniqueFd fd(::_wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT));
  return fd.Valid() ? 0 : errno;
}

FileContents ReadWholeFile(const std::filesystem::path& path, std::size_t maxSize) {
  FileContents result;
  UniqueFd fd(::_wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT));
  if (!fd.Valid()) {
    result.status = errno == ENOENT ? ReadStatus::Missing : ReadStatus::CannotOpen;
    return result;
  }
  struct _stat64 info {};
  if (::_fstat64(fd.Get(), &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG ||
      static_cast<unsigned long long>(info.st_size) > maxSize) {
    result.status = ReadStatus::CannotOpen;
    return result;
  }
  result.bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
  std::size_t used = 0;
  result.status = ReadStatus::Read;
  for (;;) {
    if (used == result.bytes.size()) result.bytes.resize(used + kReadBlock);
    const std::size_t room = result.bytes.size() - used;
    const int n = ::_read(fd.Get(), result.bytes.data() + used,
                          static_cast<unsigned>(room < kMaxReadCall ? room : kMaxReadCall));
    if (n < 0) {
      result.status = ReadStatus::Failed;
      break;
    }
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
    if (used > maxSize) {
      result.status = ReadStatus::CannotOpen;
      used = 0;
      break;
    }
  }
  result.bytes.resize(used);
  return result;
}

}  // namespace nuvrel::app
