// SPDX-License-Identifier: MIT
// Sheet files: building and splitting their lines, and moving them to and from disk. Writing goes
// through a temporary file beside the target so that a failure never damages the old file.
#include "sheets/sheet_file.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <string>

#include "app/format.h"
#include "app/ui.h"
#include "sheets/decimal_text.h"

namespace nuvrel::sheets {
namespace {

// Larger files are refused: no register table comes near this, and the whole file is held in
// memory while it is read.
constexpr off_t kMaxFileSize = off_t{64} * 1024 * 1024;
constexpr std::size_t kReadBlock = 64 * 1024;
constexpr int kFirstDataRow = 1;
constexpr int kFirstDataColumn = 1;

// Calls `line` for every line of the bytes and returns how many there were. A line ends at LF (a CR
// before it is dropped) or at a lone CR; a last line without an ending counts when it is not empty.
template <class LineFn>
std::size_t ForEachLine(std::string_view bytes, LineFn&& line) {
  std::size_t count = 0;
  std::size_t start = 0;
  const std::size_t size = bytes.size();
  while (start < size) {
    std::size_t end = start;
    while (end < size && bytes[end] != '\n' && bytes[end] != '\r') ++end;
    line(bytes.substr(start, end - start));
    ++count;
    if (end < size && bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return count;
}

// The bytes up to and including the last line ending: the lines known to be complete.
std::string_view CompleteLines(std::string_view bytes) {
  const std::size_t last = bytes.find_last_of("\r\n");
  return last == std::string_view::npos ? std::string_view() : bytes.substr(0, last + 1);
}

class UniqueFd {
 public:
  explicit UniqueFd(int fd = -1) : m_fd(fd) {}
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
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Where the bytes really go: a symbolic link is followed, so that saving keeps the link.
std::string ResolveTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (char* real = ::realpath(path.c_str(), nullptr)) {
      std::string resolved(real);
      std::free(real);
      return resolved;
    }
  }
  return path;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

struct Temporary {
  std::string name;
  UniqueFd fd;
};

// Creates a new temporary file beside the target; nothing when the folder does not take one.
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

// Reads the whole file. Ends with the bytes read and whether a read failed on the way.
struct FileBytes {
  std::string bytes;
  bool failed = false;
};

FileBytes ReadAll(int fd, off_t sizeHint) {
  FileBytes result;
  // One byte more than the size, so that a file read in one go ends with the next read.
  result.bytes.resize(static_cast<std::size_t>(sizeHint) + 1);
  std::size_t used = 0;
  for (;;) {
    if (used == result.bytes.size()) result.bytes.resize(used + kReadBlock);
    const ssize_t n = ::read(fd, result.bytes.data() + used, result.bytes.size() - used);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      result.failed = true;
      break;
    }
    if (n == 0) break;
    used += static_cast<std::size_t>(n);
    // The file grew past the limit while it was read.
    if (used > static_cast<std::size_t>(kMaxFileSize)) {
      result.failed = true;
      break;
    }
  }
  result.bytes.resize(used);
  return result;
}

}  // namespace

void SheetFile::Remember(const std::string& fullPath) {
  path = fullPath;
  const std::size_t slash = fullPath.rfind('/');
  name = slash == std::string::npos ? fullPath : fullPath.substr(slash + 1);
}

void ClearSheetData(grid::CellTable& grid) {
  for (int r = kFirstDataRow; r < grid.GetRowCount(); ++r) {
    for (int c = kFirstDataColumn; c < grid.GetColumnCount(); ++c) grid.SetItemText(r, c, "");
  }
}

std::string SheetText(const grid::CellTable& grid) {
  std::string text;
  const int columns = grid.GetColumnCount();
  // Room for a full sheet of short cells up front: growing a big text step by step costs more
  // than building it.
  text.reserve(static_cast<std::size_t>(grid.GetRowCount()) * static_cast<std::size_t>(columns) *
               8);
  for (int r = kFirstDataRow; r < grid.GetRowCount(); ++r) {
    // The line is built in place and taken back when every data cell of the row was empty.
    const std::size_t lineStart = text.size();
    text += grid.GetItemText(r, 0);
    bool any = false;
    for (int c = kFirstDataColumn; c < columns; ++c) {
      const std::string cellText = grid.GetItemText(r, c);
      any = any || !cellText.empty();
      text += '\t';
      text += cellText;
    }
    if (any) {
      text += "\r\n";
    } else {
      text.resize(lineStart);
    }
  }
  return text;
}

bool CSheetTextWriter::WriteSheetFile(const std::string& path, app::Ui& ui) const {
  const std::string text = SheetText(m_grid);
  const std::string target = ResolveTarget(path);

  // A file the person may not write stays as it is, as it would if it were opened for writing.
  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  std::optional<Temporary> temporary =
      !replacing || ::access(target.c_str(), W_OK) == 0 ? CreateTemporary(target) : std::nullopt;
  if (!temporary) {
    ui.ShowMessage(app::Format(app::Sid::CannotCreateFile, {path}), app::Icon::Error);
    return false;
  }

  bool ok = true;
  {
    IgnoreFileSizeSignal noSignal;
    // The saved file keeps the permissions of the one it replaces. Some file systems keep no
    // permissions at all; that is no reason to fail the save.
    if (replacing && S_ISREG(old.st_mode)) (void)::fchmod(temporary->fd.Get(), old.st_mode & 07777);
    ok = WriteAll(temporary->fd.Get(), text);
    ok = ok && ::fsync(temporary->fd.Get()) == 0;
    ok = temporary->fd.Close() && ok;
    ok = ok && ::rename(temporary->name.c_str(), target.c_str()) == 0;
  }
  if (!ok) {
    ::unlink(temporary->name.c_str());
    ui.ShowMessage(app::Format(app::Sid::ErrorWritingFile, {path}), app::Icon::Error);
    return false;
  }
  // Make the rename itself durable; the file is complete either way, so a failure here is moot.
  UniqueFd folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Get() >= 0) (void)::fsync(folder.Get());
  return true;
}

bool CSheetTextReader::ReadSheetFile(const std::string& path, app::Ui& ui) {
  app::WaitCursor wait(ui);

  // O_NONBLOCK so that a FIFO does not block the open; it is refused below like any other
  // file that is not a regular one.
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat st {};
  if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode) ||
      st.st_size > kMaxFileSize) {
    ui.ShowMessage(app::Format(app::Sid::FileCannotOpen, {path}), app::Icon::Error);
    return false;
  }

  const FileBytes file = ReadAll(fd.Get(), st.st_size);
  ClearSheetData(m_grid);
  if (file.failed) {
    // Keep what was read completely; the line that was being read when it failed is reported.
    const std::string_view complete = CompleteLines(file.bytes);
    ReadSheetText(complete);
    const std::size_t lines = ForEachLine(complete, [](std::string_view) {});
    const auto lineNumber = static_cast<unsigned long long>(lines) + 1;
    ui.ShowMessage(app::Format(app::Sid::ErrorReadingLine, {lineNumber}), app::Icon::Error);
    return false;
  }
  ReadSheetText(file.bytes);
  return true;
}

void CSheetTextReader::ReadSheetText(std::string_view bytes) {
  const ParsedInteger label = ParseInteger(m_grid.GetItemText(kFirstDataRow, 0));
  m_zeroBased = label.consumed > 0 && !label.overflow && label.value == 0;
  ForEachLine(bytes, [this](std::string_view line) { ReadLine(line); });
}

void CSheetTextReader::ReadLine(std::string_view line) {
  const std::size_t firstTab = line.find('\t');
  const std::string_view field0 = line.substr(0, firstTab);
  const ParsedInteger number = ParseInteger(field0);
  if (number.consumed != field0.size()) return;
  // Row number 0 means the file numbers its rows from 0 (as Departments does); a blank line reads
  // as 0 too and so switches it on for the rest of the file.
  if (number.value == 0 && !number.overflow) m_zeroBased = true;
  if (number.overflow || number.value < INT_MIN || number.value > INT_MAX) return;
  const long long row = number.value + (m_zeroBased ? 1 : 0);
  // Only data rows: a file never writes into the header row.
  if (row < kFirstDataRow || row >= m_grid.GetRowCount()) return;

  const int columns = m_grid.GetColumnCount();
  std::size_t start = firstTab;
  for (int c = kFirstDataColumn; c < columns && start != std::string_view::npos; ++c) {
    const std::size_t from = start + 1;
    const std::size_t tab = line.find('\t', from);
    const std::size_t end = tab == std::string_view::npos ? line.size() : tab;
    m_grid.SetItemText(static_cast<int>(row), c, line.substr(from, end - from));
    start = tab;
  }
}

}  // namespace nuvrel::sheets
