// SPDX-License-Identifier: MIT
#include "app/file_io.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <optional>

#include "app/format.h"
#include "app/ui.h"

namespace nuvrel::app {
namespace {

constexpr std::size_t kReadBlock = 64 * 1024;

class UniqueFd {
 public:
  explicit UniqueFd(int fd) : m_fd(fd) {}
  ~UniqueFd() {
    if (m_fd >= 0) ::close(m_fd);
  }
  UniqueFd(UniqueFd&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  UniqueFd& operator=(UniqueFd&&) = delete;

  int Get() const { return m_fd; }
  // Closes now and tells whether the close succeeded (a delayed write error shows up here).
  bool Close() {
    const int fd = m_fd;
    m_fd = -1;
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int m_fd;
};

// A write beyond the file size limit must come back as an error, not end the program.
class IgnoreFileSizeSignal {
 public:
  IgnoreFileSizeSignal() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    m_saved = ::sigaction(SIGXFSZ, &ignore, &m_old) == 0;
  }
  ~IgnoreFileSizeSignal() {
    if (m_saved) ::sigaction(SIGXFSZ, &m_old, nullptr);
  }
  IgnoreFileSizeSignal(const IgnoreFileSizeSignal&) = delete;
  IgnoreFileSizeSignal& operator=(const IgnoreFileSizeSignal&) = delete;

 private:
  struct sigaction m_old {};
  bool m_saved = false;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Where the bytes really go: a symbolic link is followed, so that saving keeps the link.
std::string ResolveLink(const std::string& path) {
  std::string target = path;
  for (int hops = 0; hops < 8; ++hops) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return target;
    std::string link(4096, '\0');
    const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= link.size()) return target;
    link.resize(static_cast<std::size_t>(length));
    target = (link.front() == '/') ? link : FolderOf(target) + "/" + link;
  }
  return target;
}

struct Temporary {
  std::string name;
  UniqueFd fd;
};

std::optional<Temporary> CreateTemporary(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name =
        target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return Temporary{std::move(name), UniqueFd(fd)};
    if (errno != EEXIST && errno != EINTR) break;
  }
  return std::nullopt;
}

}  // namespace

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
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

ReplaceStatus ReplaceFile(const std::filesystem::path& path, std::string_view bytes) {
  const std::string target = ResolveLink(path.string());

  // A file the person may not write stays as it is, as it would if it were opened for writing.
  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  std::optional<Temporary> temporary =
      !replacing || ::access(target.c_str(), W_OK) == 0 ? CreateTemporary(target) : std::nullopt;
  if (!temporary) return ReplaceStatus::CannotCreate;

  bool ok = true;
  {
    IgnoreFileSizeSignal noSignal;
    // Some file systems keep no permissions at all; that is no reason to fail the save.
    if (replacing && S_ISREG(old.st_mode)) (void)::fchmod(temporary->fd.Get(), old.st_mode & 07777);
    ok = WriteAll(temporary->fd.Get(), bytes);
    ok = ok && ::fsync(temporary->fd.Get()) == 0;
    ok = temporary->fd.Close() && ok;
    ok = ok && ::rename(temporary->name.c_str(), target.c_str()) == 0;
  }
  if (!ok) {
    ::unlink(temporary->name.c_str());
    return ReplaceStatus::WriteFailed;
  }
  // Make the rename itself durable; the file is complete either way, so a failure here is moot.
  UniqueFd folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Get() >= 0) (void)::fsync(folder.Get());
  return ReplaceStatus::Replaced;
}

bool SaveFile(Ui& ui, const std::filesystem::path& path, std::string_view bytes) {
  switch (ReplaceFile(path, bytes)) {
    case ReplaceStatus::Replaced: return true;
    case ReplaceStatus::CannotCreate:
      ui.ShowMessage(Format(Sid::CannotCreateFile, {path}), Icon::Error);
      return false;
    case ReplaceStatus::WriteFailed: break;
  }
  ui.ShowMessage(Format(Sid::ErrorWritingFile, {path}), Icon::Error);
  return false;
}

}  // namespace nuvrel::app
