// SPDX-License-Identifier: MIT
#include "sim/pty_port.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace nuvrel::sim {
namespace {

std::string Failure(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

bool MakeRaw(int fd) {
  termios settings{};
  if (::tcgetattr(fd, &settings) != 0) return false;
  ::cfmakeraw(&settings);
  ::cfsetispeed(&settings, B9600);
  ::cfsetospeed(&settings, B9600);
  settings.c_cflag |= CLOCAL | CREAD;
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
  return ::tcsetattr(fd, TCSANOW, &settings) == 0;
}

}  // namespace

PtyPort::PtyPort(app::UniqueFd master, app::UniqueFd slave, std::string slaveName)
    : m_master(std::move(master)), m_slave(std::move(slave)), m_slaveName(std::move(slaveName)) {}

PtyOpen PtyPort::Open() {
  app::UniqueFd master(::posix_openpt(O_RDWR | O_NOCTTY));
  if (!master.Valid()) {
    return {std::nullopt, Failure("cannot open a pseudo-terminal")};
  }
  if (::grantpt(master.Get()) != 0 || ::unlockpt(master.Get()) != 0) {
    return {std::nullopt, Failure("cannot unlock the pseudo-terminal")};
  }
  char name[128] = {};
  if (::ptsname_r(master.Get(), name, sizeof name) != 0) {
    return {std::nullopt, Failure("cannot name the pseudo-terminal")};
  }
  // Raw before anyone opens the slave: bytes written before the PC program opens it must not be
  // echoed or cooked. On Linux the master's settings are the slave's.
  if (!MakeRaw(master.Get())) {
    return {std::nullopt, Failure("cannot set the pseudo-terminal raw")};
  }
  app::UniqueFd slave(::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (!slave.Valid()) {
    return {std::nullopt, Failure("cannot open the slave")};
  }
  MakeRaw(slave.Get());  // the same settings again, where the master's are not shared
  const int flags = ::fcntl(master.Get(), F_GETFL);
  if (flags < 0 || ::fcntl(master.Get(), F_SETFL, flags | O_NONBLOCK) != 0 ||
      ::fcntl(master.Get(), F_SETFD, FD_CLOEXEC) != 0) {
    return {std::nullopt, Failure("cannot set up the master")};
  }
  return {PtyPort(std::move(master), std::move(slave), name), {}};
}

void PtyPort::Close() {
  m_slave.Reset();
  m_master.Reset();
}

}  // namespace nuvrel::sim
