// SPDX-License-Identifier: MIT
#include "link/trace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "app/file_replace.h"

namespace nuvrel::link {

std::string TraceLine(const TraceEntry& entry) {
  char head[48];
  std::snprintf(head, sizeof head, "%.6f %s", entry.seconds, entry.direction.c_str());
  std::string line = head;
  if (entry.direction == "--") {
    line += ' ';
    line += entry.note;
    return line;
  }
  static constexpr char kHex[] = "0123456789ABCDEF";
  line.reserve(line.size() + entry.bytes.size() * 3);
  for (const std::uint8_t b : entry.bytes) {
    line += ' ';
    line += kHex[b >> 4];
    line += kHex[b & 0x0F];
  }
  return line;
}

namespace {

// The descriptor the trace goes to, or -1 with errno set.
int OpenTraceFile(const std::string& path) {
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

TraceLog::TraceLog(const std::string& path) : m_start(std::chrono::steady_clock::now()) {
  const int fd = OpenTraceFile(path);
  if (fd >= 0) m_file = ::fdopen(fd, "w");
  if (!m_file) {
    m_error = std::strerror(errno);
    if (fd >= 0) ::close(fd);
  }
}

TraceLog::TraceLog(Sink sink)
    : m_sink(std::move(sink)), m_start(std::chrono::steady_clock::now()) {}

TraceLog::~TraceLog() {
  if (m_file) std::fclose(m_file);
}

void TraceLog::Note(const std::string& text) {
  TraceEntry entry;
  entry.direction = "--";
  entry.note = text;
  Add(entry);
}

void TraceLog::Bytes(const char* direction, std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return;
  TraceEntry entry;
  entry.direction = direction;
  entry.bytes.assign(bytes.begin(), bytes.end());
  Add(entry);
}

void TraceLog::Add(const TraceEntry& entry) {
  if (!m_file && !m_sink) return;
  TraceEntry timed = entry;
  timed.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
  if (m_sink) m_sink(timed);
  if (m_file) {
    const std::string line = TraceLine(timed) + '\n';
    std::fwrite(line.data(), 1, line.size(), m_file);
    std::fflush(m_file);
  }
}

}  // namespace nuvrel::link
