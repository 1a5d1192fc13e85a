// SPDX-License-Identifier: MIT
// Preparing and putting in place a file's new contents on Windows. The bytes go to a temporary file
// beside the target (binary, wide name), flushed to the disk, which then takes the target's place:
// ReplaceFileW keeps the old file's attributes and security, MoveFileExW puts a new file there.
// A character device (NUL, CON, a COM port) is written in place; a read-only file is refused.
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

#include <atomic>
#include <cerrno>

#include "app/file_replace.h"
#include "app/utf8_path.h"

namespace nuvrel::app {
namespace {

constexpr unsigned kMaxWriteCall = 1u << 30;  // _write takes an unsigned int count

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const unsigned chunk =
        static_cast<unsigned>(bytes.size() < kMaxWriteCall ? bytes.size() : kMaxWriteCall);
    const int n = ::_write(fd, bytes.data(), chunk);
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// A new file beside the target, open for writing.
std::string CreateTemporary(const std::string& target, UniqueFd& fd) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name =
        target + ".tmp-" + std::to_string(::_getpid()) + "-" + std::to_string(counter.fetch_add(1));
    fd = UniqueFd(::_wopen(Utf8Path(name).c_str(),
                           _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                           _S_IREAD | _S_IWRITE));
    if (fd.Valid()) return name;
    if (errno != EEXIST) break;
  }
  return {};
}

// Moves the finished temporary file into the target's place.
bool PutInPlace(const std::string& temporary, const std::string& target) {
  const std::wstring from = Utf8Path(temporary).native();
  const std::wstring to = Utf8Path(target).native();
  if (::GetFileAttributesW(to.c_str()) != INVALID_FILE_ATTRIBUTES &&
      ::ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr)) {
    return true;
  }
  return ::MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace

std::optional<int> StandardStream(const std::string& path) {
  if (path == "-") return 1;
  return std::nullopt;
}

PendingFile::PendingFile(const std::filesystem::path& path, std::string_view bytes)
    : m_bytes(bytes) {
  const std::string name = PathText(path);
  if (const std::optional<int> stream = StandardStream(name)) {
    m_way = Way::Stream;
    m_stream = UniqueFd(::_dup(*stream));
    if (!m_stream.Valid()) return;
    (void)::_setmode(m_stream.Get(), _O_BINARY);
    m_prepared = ReplaceStatus::Replaced;
    return;
  }
  struct _stat64 info {};
  const bool exists = ::_wstat64(path.c_str(), &info) == 0;
  if (exists && (info.st_mode & _S_IFMT) == _S_IFCHR) {
    m_way = Way::Stream;
    m_stream = UniqueFd(::_wopen(path.c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT));
    if (m_stream.Valid()) m_prepared = ReplaceStatus::Replaced;
    return;
  }
  if (exists && (info.st_mode & _S_IFMT) == _S_IFDIR) {
    m_prepared = ReplaceStatus::WriteFailed;
    return;
  }
  if (exists && (info.st_mode & _S_IFMT) != _S_IFREG) return;
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (exists && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return;
  }

  m_way = Way::Rename;
  m_target = name;
  UniqueFd fd;
  m_temporary = CreateTemporary(m_target, fd);
  if (m_temporary.empty()) return;
  const bool written = WriteAll(fd.Get(), m_bytes) && ::_commit(fd.Get()) == 0;
  if (!fd.Close() || !written) {
    m_prepared = ReplaceStatus::WriteFailed;
    return;
  }
  m_prepared = ReplaceStatus::Replaced;
}

PendingFile::~PendingFile() {
  if (!m_temporary.empty()) (void)::DeleteFileW(Utf8Path(m_temporary).c_str());
}

ReplaceStatus PendingFile::Commit() {
  if (m_prepared != ReplaceStatus::Replaced) return m_prepared;
  bool ok = true;
  if (m_way == Way::Stream) {
    ok = WriteAll(m_stream.Get(), m_bytes);
    ok = m_stream.Close() && ok;
  } else {
    ok = PutInPlace(m_temporary, m_target);
    if (ok) m_temporary.clear();
  }
  m_prepared = ReplaceStatus::CannotCreate;  // committed once
  return ok ? ReplaceStatus::Replaced : ReplaceStatus::WriteFailed;
}

}  // namespace nuvrel::app
