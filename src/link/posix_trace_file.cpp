// SPDX-License-Identifier: MIT
// The trace file with POSIX calls.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "app/file_replace.h"
#include "link/trace_file.h"

namespace nuvrel::link {
namespace {

// The descriptor the trace goes to, or -1 with errno set.
int OpenDescriptor(const std::string& path) {
  if (const std::optional<int> stream = app::StandardStream(path)) {
    return ::fcntl(*stream, F_DUPFD_CLOEXEC, 0);
  }
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & 0222) == 0) {
    errno = EACCES;
    return -1;
  }
  // A FIFO nobody reads fails at once rather than hanging here.
  const int fd = ::open(path.c_str(),
                        O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) return -1;
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) (void)::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  return fd;
}

}  // namespace

std::FILE* OpenTraceFile(const std::string& path, std::string& error) {
  const int fd = OpenDescriptor(path);
  std::FILE* file = fd >= 0 ? ::fdopen(fd, "w") : nullptr;
  if (!file) {
    error = std::strerror(errno);
    if (fd >= 0) ::close(fd);
  }
  return file;
}

}  // namespace nuvrel::link
