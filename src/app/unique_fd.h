// SPDX-License-Identifier: MIT
// An owned POSIX file descriptor, closed when its owner goes away.
#pragma once

#include <unistd.h>

#include <utility>

namespace nuvrel::app {

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : m_fd(fd) {}
  ~UniqueFd() { Reset(); }
  UniqueFd(UniqueFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
      Reset();
      m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;

  int Get() const { return m_fd; }
  bool Valid() const { return m_fd >= 0; }

  // Closes the descriptor now (if one is held).
  void Reset() {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
  }
  // Closes now and tells whether the close succeeded (a delayed write error shows up here).
  bool Close() {
    const int fd = std::exchange(m_fd, -1);
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int m_fd = -1;
};

}  // namespace nuvrel::app
