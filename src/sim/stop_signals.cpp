// SPDX-License-Identifier: MIT
#include "sim/stop_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace nuvrel::sim {
namespace {

volatile sig_atomic_t g_writeFd = -1;

extern "C" void OnStopSignal(int) {
  const int saved = errno;
  const char byte = 1;
  // A full pipe already holds a stop request; nothing is lost by dropping this one.
  if (g_writeFd >= 0) (void)!::write(g_writeFd, &byte, 1);
  errno = saved;
}

}  // namespace

StopSignals::StopSignals() {
  int fds[2];
  if (::pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) {
    m_error = std::string("cannot make a pipe: ") + std::strerror(errno);
    return;
  }
  m_read = app::UniqueFd(fds[0]);
  m_write = app::UniqueFd(fds[1]);
  g_writeFd = fds[1];

  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  if (::sigaction(SIGINT, &action, &m_oldInt) != 0 ||
      ::sigaction(SIGTERM, &action, &m_oldTerm) != 0) {
    m_error = std::string("cannot catch signals: ") + std::strerror(errno);
    return;
  }
  m_ok = true;
}

StopSignals::~StopSignals() {
  if (m_ok) {
    ::sigaction(SIGINT, &m_oldInt, nullptr);
    ::sigaction(SIGTERM, &m_oldTerm, nullptr);
  }
  g_writeFd = -1;
}

}  // namespace nuvrel::sim
