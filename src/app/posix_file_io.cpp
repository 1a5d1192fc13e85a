// SPDX-License-Identifier: MIT
// Reading files with POSIX calls.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "app/file_io.h"
#include "app/unique_fd.h"

namespace nuvrel::app {
namespace {

constexpr std::size_t kReadBlock = 64 * 1024;

}  // namespace

int ReadPermissionError(const std::filesystem::path& path) {
  return ::access(path.c_str(), R_OK) == 0 ? 0 : errno;
}

FileContents ReadWholeFile(const std::filesystem::path& path, std::size_t maxSize) {
  FileContents result;
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.Get() < 0) {
    result.status =
        (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::Missing : ReadStatus::CannotOpen;
    return result;
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<unsigned long long>(info.st_size) > maxSize) {
    result.status = ReadStatus::CannotOpen;
    return result;
  }
  // One byte more than the size, so that a file read in one go ends with the next read.
  result.bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
  std::size_t used = 0;
  result.status = ReadStatus::Read;
  for (;;) {
    if (used == result.bytes.size()) result.bytes.resize(used + kReadBlock);
    const ssize_t n = ::read(fd.Get(), result.bytes.data() + used, result.bytes.size() - used);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.status = ReadStatus::Failed;
      break;
    }
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
    // The file grew past the bound while it was read.
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
