// SPDX-License-Identifier: MIT
// The settings file: locating it, reading it with a size bound, replacing it atomically.
#include "app/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <utility>

#include "app/ini_document.h"

namespace nuvrel::app {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  ~FileDescriptor() {
    if (m_fd >= 0) {
      ::close(m_fd);
    }
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  bool Valid() const { return m_fd >= 0; }
  int Get() const { return m_fd; }

  // Closes now and reports whether that worked: on some file systems the last write error only
  // shows up here.
  bool Close() {
    const int fd = std::exchange(m_fd, -1);
    return ::close(fd) == 0;
  }

 private:
  int m_fd = -1;
};

// Removes a temporary file on every way out of a failed write.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : m_path(std::move(path)) {}
  ~TemporaryFile() {
    if (!m_path.empty()) {
      ::unlink(m_path.c_str());
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  const std::string& Path() const { return m_path; }
  void Keep() { m_path.clear(); }

 private:
  std::string m_path;
};

enum class LoadStatus { Missing, Loaded, Unreadable };

struct Loaded {
  LoadStatus status = LoadStatus::Missing;
  std::string text;
  mode_t mode = 0;
};

Loaded Load(const std::string& path) {
  Loaded result;
  // O_NONBLOCK so that a FIFO given as the settings path cannot hang the open.
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd.Valid()) {
    result.status =
        (errno == ENOENT || errno == ENOTDIR) ? LoadStatus::Missing : LoadStatus::Unreadable;
    return result;
  }
  result.status = LoadStatus::Unreadable;
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<unsigned long long>(info.st_size) > SettingsFile::kMaxFileSize) {
    return result;
  }
  // The size check above can be outrun by a file that grows while we read, so the read itself is
  // bounded too.
  char chunk[16384];
  for (;;) {
    const ssize_t got = ::read(fd.Get(), chunk, sizeof chunk);
    if (got < 0) {
      if (errno == EINTR) {
        continue;
      }
      result.text.clear();
      return result;
    }
    if (got == 0) {
      break;
    }
    result.text.append(chunk, static_cast<std::size_t>(got));
    if (result.text.size() > SettingsFile::kMaxFileSize) {
      result.text.clear();
      return result;
    }
  }
  result.status = LoadStatus::Loaded;
  result.mode = info.st_mode & 07777;
  return result;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) {
        continue;
      }
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The settings file may be a symbolic link (kept with the user's other configuration, say);
// replacing the link itself would cut it, so the rename goes to the file it points at.
std::string ResolveLink(const std::string& path) {
  std::string target = path;
  for (int hops = 0; hops < 8; ++hops) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
      return target;
    }
    std::string link(4096, '\0');
    const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
    if (length < 0 || static_cast<std::size_t>(length) >= link.size()) {
      return target;
    }
    link.resize(static_cast<std::size_t>(length));
    target = (link.front() == '/') ? link : FolderOf(target) + "/" + link;
  }
  return target;
}

// Writes text to path through a temporary file in the same folder, so a reader sees either the
// old file or the new one and a crash never leaves half a file behind.
bool ReplaceFile(const std::string& path, std::string_view text, std::optional<mode_t> mode) {
  const std::string folder = FolderOf(path);
  // One level only: the XDG case needs ".../nuvrel" under a config folder that already exists.
  if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
    return false;
  }
  const std::string temporaryPath = path + ".tmp-" + std::to_string(::getpid());
  // O_NOFOLLOW: a link planted under the temporary name must not redirect the write.
  FileDescriptor fd(
      ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666));
  if (!fd.Valid()) {
    return false;
  }
  TemporaryFile temporary(temporaryPath);
  if (mode && ::fchmod(fd.Get(), *mode) != 0) {
    return false;
  }
  if (!WriteAll(fd.Get(), text) || ::fsync(fd.Get()) != 0 || !fd.Close()) {
    return false;
  }
  if (::rename(temporary.Path().c_str(), path.c_str()) != 0) {
    return false;
  }
  temporary.Keep();
  // The rename is durable only once the folder is synced; the file is in place either way, so a
  // failure here is not reported.
  FileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folderFd.Valid()) {
    ::fsync(folderFd.Get());
  }
  return true;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

// Whether section, key and value can be written as "[section]" and "key=value" lines that read
// back as the same names and value.
bool CanWrite(std::string_view section, std::string_view key, std::string_view value) {
  constexpr std::string_view kLineBreaks = "\r\n";
  if (section.find_first_of(kLineBreaks) != std::string_view::npos ||
      key.find_first_of(kLineBreaks) != std::string_view::npos ||
      value.find_first_of(kLineBreaks) != std::string_view::npos) {
    return false;
  }
  if (section.find(']') != std::string_view::npos) {
    return false;
  }
  const std::string_view name = Trim(key);
  return !name.empty() && name.find('=') == std::string_view::npos && name.front() != '[' &&
         name.front() != ';';
}

// The leading decimal number of text, read the way the private-profile integer call reads it.
unsigned LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Unsigned arithmetic: an over-long number wraps instead of overflowing.
  unsigned value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10u + static_cast<unsigned>(text[i] - '0');
  }
  return negative ? 0u - value : value;
}

std::string ExecutableFolder() {
  std::string path(1024, '\0');
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length < 0) {
      return ".";
    }
    if (static_cast<std::size_t>(length) < path.size()) {
      path.resize(static_cast<std::size_t>(length));
      return FolderOf(path);
    }
    if (path.size() >= 65536) {
      return ".";
    }
    path.resize(path.size() * 2);
  }
}

std::optional<std::string> ConfigHome() {
  // Relative values are ignored, as the XDG base-directory rules ask.
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && xdg[0] == '/') {
    return std::string(xdg);
  }
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') {
    return std::string(home) + "/.config";
  }
  return std::nullopt;
}

}  // namespace

SettingsFile::SettingsFile(std::string path) : m_path(std::move(path)) {}

std::string SettingsFile::PathForExecutable(std::string_view exePath) {
  const std::size_t dot = exePath.rfind('.');
  const std::size_t separator = exePath.find_last_of("/\\");
  std::string path(exePath);
  if (dot != std::string_view::npos && (separator == std::string_view::npos || dot > separator)) {
    path.resize(dot);
  }
  return path + ".ini";
}

std::string SettingsFile::DefaultPath(std::string_view programName) {
  return DefaultPathIn(ExecutableFolder(), programName);
}

std::string SettingsFile::DefaultPathIn(std::string_view exeFolder, std::string_view programName) {
  std::string folder(exeFolder);
  if (folder.empty()) {
    folder = ".";
  }
  const std::string candidate =
      PathForExecutable(folder + (folder.back() == '/' ? "" : "/") + std::string(programName));
  if (::access(candidate.c_str(), F_OK) == 0 || ::access(folder.c_str(), W_OK) == 0) {
    return candidate;
  }
  const auto configHome = ConfigHome();
  if (!configHome) {
    return candidate;
  }
  return *configHome + "/nuvrel/" + candidate.substr(candidate.rfind('/') + 1);
}

std::string SettingsFile::GetString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  const Loaded file = Load(m_path);
  if (file.status != LoadStatus::Loaded) {
    return std::string(defaultValue);
  }
  return IniDocument::Parse(file.text).Get(section, key).value_or(std::string(defaultValue));
}

unsigned SettingsFile::GetInt(std::string_view section, std::string_view key,
                              unsigned defaultValue) const {
  const Loaded file = Load(m_path);
  if (file.status != LoadStatus::Loaded) {
    return defaultValue;
  }
  const auto value = IniDocument::Parse(file.text).Get(section, key);
  return value ? LeadingNumber(*value) : defaultValue;
}

bool SettingsFile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
  if (!CanWrite(section, key, value)) {
    return false;
  }
  const std::string target = ResolveLink(m_path);
  const Loaded file = Load(target);
  if (file.status == LoadStatus::Unreadable) {
    // Rewriting a file we could not read would lose whatever it holds.
    return false;
  }
  IniDocument document;
  std::optional<mode_t> mode;
  if (file.status == LoadStatus::Loaded) {
    document = IniDocument::Parse(file.text);
    mode = file.mode;
  }
  document.Set(section, key, value);
  return ReplaceFile(target, document.Text(), mode);
}

bool SettingsFile::WriteInt(std::string_view section, std::string_view key, int value) {
  return WriteString(section, key, std::to_string(value));
}

}  // namespace nuvrel::app
