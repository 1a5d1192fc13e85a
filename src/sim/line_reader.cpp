// SPDX-License-Identifier: MIT
#include "sim/line_reader.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace nuvrel::sim {

LineReader::LineReader(int masterFd, std::chrono::nanoseconds byteTime)
    : m_master(masterFd), m_byteTime(byteTime) {}

std::optional<LineReader::Clock::time_point> LineReader::NextDue() const {
  if (!m_burstStart) return std::nullopt;
  return *m_burstStart + m_byteTime * static_cast<long>(m_taken + 1);
}

ssize_t LineReader::Read(std::span<std::uint8_t> out, Clock::time_point now) {
  std::size_t want = out.size();
  if (m_byteTime.count() > 0) {
    // A burst starts when its first byte is seen, or when the line has carried the last one.
    if (!m_burstStart) {
      m_burstStart = std::max(now, m_lineFreeAt);
      m_taken = 0;
    }
    const auto carried = now < *m_burstStart
                             ? std::size_t{0}
                             : static_cast<std::size_t>((now - *m_burstStart) / m_byteTime);
    want = std::min(want, carried > m_taken ? carried - m_taken : std::size_t{0});
    if (want == 0) return 0;
  }
  ssize_t got;
  do {
    got = ::read(m_master, out.data(), want);
  } while (got < 0 && errno == EINTR);
  if (got == 0) m_closed = true;
  if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) got = 0;
  if (got < 0 || m_byteTime.count() == 0) return got;

  m_taken += static_cast<std::size_t>(got);
  m_lineFreeAt = *m_burstStart + m_byteTime * static_cast<long>(m_taken);
  int waiting = 0;
  if (ioctl(m_master, FIONREAD, &waiting) != 0) waiting = 0;
  if (waiting == 0) m_burstStart.reset();  // nothing more was written: the line goes quiet
  return got;
}

}  // namespace nuvrel::sim
