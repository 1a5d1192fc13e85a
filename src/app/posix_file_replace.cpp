// SPDX-License-Identifier: MIT
// Preparing and putting in place a file's new contents with POSIX calls.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "app/file_io.h"
#include "app/file_replace.h"

namespace nuvrel::app {
namespace {

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
  IgnoreFileSizeSignal noSignal;
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

// A new file beside the target, open for writing.
std::string CreateTemporary(const std::string& target, UniqueFd& fd) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name =
        target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1));
    fd = UniqueFd(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.Valid()) return name;
    if (errno != EEXIST && errno != EINTR) break;
  }
  return {};
}

// Whether the person may write the file. Root may write any file as far as the system is
// concerned; a file without any write permission is still not meant to be written.
bool MayWrite(const std::string& path, const struct stat& info) {
  if (::access(path.c_str(), W_OK) != 0) return false;
  return ::geteuid() != 0 || (info.st_mode & 0222) != 0;
}

}  // namespace

std::optional<int> StandardStream(const std::string& path) {
  if (path == "-" || path == "/dev/stdout") return STDOUT_FILENO;
  if (path == "/dev/stderr") return STDERR_FILENO;
  for (const std::string_view prefix : {"/dev/fd/", "/proc/self/fd/"}) {
    if (path.rfind(prefix, 0) != 0 || path.size() == prefix.size()) continue;
    int fd = 0;
    for (const char c : path.substr(prefix.size())) {
      if (c < '0' || c > '9' || fd > 100000) return std::nullopt;
      fd = fd * 10 + (c - '0');
    }
    return fd;
  }
  return std::nullopt;
}

PendingFile::PendingFile(const std::filesystem::path& path, std::string_view bytes)
    : m_bytes(bytes) {
  const std::string name = path.string();
  struct stat info {};
  const bool exists = ::stat(name.c_str(), &info) == 0;

  if (const std::optional<int> stream = StandardStream(name)) {
    // This process's own output: written where it already goes (appended, not reopened).
    m_way = Way::Stream;
    m_stream = UniqueFd(::fcntl(*stream, F_DUPFD_CLOEXEC, 0));
    if (m_stream.Valid()) m_prepared = ReplaceStatus::Replaced;
    return;
  }
  if (exists && (S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode))) {
    // Written in place. A FIFO nobody reads would block the open: that is a failure now.
    m_way = Way::Stream;
    m_stream = UniqueFd(::open(name.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!m_stream.Valid()) return;
    const int flags = ::fcntl(m_stream.Get(), F_GETFL);
    if (flags >= 0) (void)::fcntl(m_stream.Get(), F_SETFL, flags & ~O_NONBLOCK);
    m_prepared = ReplaceStatus::Replaced;
    return;
  }
  if (exists && S_ISDIR(info.st_mode)) {
    m_prepared = ReplaceStatus::WriteFailed;
    return;
  }
  // A block device or a socket is no file to save into.
  if (exists && !S_ISREG(info.st_mode)) return;
  if (exists && !MayWrite(name, info)) return;

  m_target = ResolveLink(name);
  UniqueFd fd;
  m_temporary = CreateTemporary(m_target, fd);
  if (m_temporary.empty()) return;
  if (exists) {
    // The new file is the old one's: its mode, and its owner and group where this process may
    // give them (some file systems keep none: no reason to fail).
    (void)::fchown(fd.Get(), info.st_uid, info.st_gid);
    (void)::fchown(fd.Get(), static_cast<uid_t>(-1), info.st_gid);
    (void)::fchmod(fd.Get(), info.st_mode & 07777);
    if (info.st_nlink > 1) m_way = Way::InPlace;
  }
  const bool written = WriteAll(fd.Get(), m_bytes) && ::fsync(fd.Get()) == 0;
  if (!fd.Close() || !written) {
    m_prepared = ReplaceStatus::WriteFailed;
    return;
  }
  m_prepared = ReplaceStatus::Replaced;
}

PendingFile::~PendingFile() {
  if (!m_temporary.empty()) ::unlink(m_temporary.c_str());
}

ReplaceStatus PendingFile::Commit() {
  if (m_prepared != ReplaceStatus::Replaced) return m_prepared;
  bool ok = true;
  switch (m_way) {
    case Way::Stream:
      ok = WriteAll(m_stream.Get(), m_bytes);
      ok = m_stream.Close() && ok;
      break;
    case Way::InPlace: {
      // Every name of the file sees the new bytes; they are complete in the temporary file, so
      // the disk has room for them.
      UniqueFd fd(::open(m_target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
      ok = fd.Valid() && WriteAll(fd.Get(), m_bytes) && ::fsync(fd.Get()) == 0;
      ok = fd.Close() && ok;
      break;
    }
    case Way::Rename: {
      ok = ::rename(m_temporary.c_str(), m_target.c_str()) == 0;
      if (!ok) break;
      m_temporary.clear();
      // Make the rename itself durable; the file is complete either way, so a failure is moot.
      UniqueFd folder(::open(FolderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
      if (folder.Valid()) (void)::fsync(folder.Get());
      break;
    }
  }
  m_prepared = ReplaceStatus::CannotCreate;  // committed once
  return ok ? ReplaceStatus::Replaced : ReplaceStatus::WriteFailed;
}

}  // namespace nuvrel::app
