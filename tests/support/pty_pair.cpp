// SPDX-License-Identifier: MIT
#include "support/pty_pair.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace nuvrel::test {

PtyPair::PtyPair() {
  m_master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (m_master < 0) return;
  if (grantpt(m_master) != 0 || unlockpt(m_master) != 0) {
    close(m_master);
    m_master = -1;
    return;
  }
  m_slavePath = ptsname(m_master);
  termios tio{};
  tcgetattr(m_master, &tio);
  cfmakeraw(&tio);
  tcsetattr(m_master, TCSANOW, &tio);
  m_slaveHold = open(m_slavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
}

PtyPair::~PtyPair() {
  if (m_slaveHold >= 0) close(m_slaveHold);
  if (m_master >= 0) close(m_master);
}

void PtyPair::Send(const std::vector<std::uint8_t>& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(m_master, bytes.data() + done, bytes.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

std::vector<std::uint8_t> PtyPair::Receive(int timeoutMs, std::size_t most) {
  std::vector<std::uint8_t> out;
  pollfd p{m_master, POLLIN, 0};
  int wait = timeoutMs;
  while (out.size() < most && poll(&p, 1, wait) > 0 && (p.revents & POLLIN)) {
    std::uint8_t buffer[256];
    const ssize_t n = read(m_master, buffer, std::min(sizeof buffer, most - out.size()));
    if (n <= 0) break;
    out.insert(out.end(), buffer, buffer + n);
    wait = 20;  // gather the rest of a block that is still coming
  }
  return out;
}

}  // namespace nuvrel::test
