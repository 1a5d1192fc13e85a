// SPDX-License-Identifier: MIT
#include "sim/slave_link.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

namespace nuvrel::sim {

SlaveLink::SlaveLink(std::string path, std::string target)
    : m_path(std::move(path)), m_target(std::move(target)) {}

SlaveLink::SlaveLink(SlaveLink&& other) noexcept
    : m_path(std::exchange(other.m_path, {})), m_target(std::move(other.m_target)) {}

SlaveLinkCreate SlaveLink::Create(const std::string& path, const std::string& target) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && !S_ISLNK(info.st_mode)) {
    return {std::nullopt, path + " exists and is not a symbolic link"};
  }
  // Made beside the path and renamed over it, so a program that looks at the path never finds it
  // missing while an old link is replaced.
  const std::string temporary = path + ".ecrsim-" + std::to_string(::getpid());
  ::unlink(temporary.c_str());
  if (::symlink(target.c_str(), temporary.c_str()) != 0) {
    return {std::nullopt, "cannot make the link " + path + ": " + std::strerror(errno)};
  }
  if (::rename(temporary.c_str(), path.c_str()) != 0) {
    std::string error = "cannot make the link " + path + ": " + std::strerror(errno);
    ::unlink(temporary.c_str());
    return {std::nullopt, std::move(error)};
  }
  return {SlaveLink(path, target), {}};
}

SlaveLink& SlaveLink::operator=(SlaveLink&& other) noexcept {
  if (this != &other) {
    Remove();
    m_path = std::exchange(other.m_path, {});
    m_target = std::move(other.m_target);
  }
  return *this;
}

SlaveLink::~SlaveLink() {
  Remove();
}

void SlaveLink::Remove() {
  if (m_path.empty()) return;
  std::array<char, 4096> pointsAt{};
  const ssize_t size = ::readlink(m_path.c_str(), pointsAt.data(), pointsAt.size() - 1);
  if (size >= 0 && std::string(pointsAt.data(), static_cast<std::size_t>(size)) == m_target) {
    ::unlink(m_path.c_str());
  }
  m_path.clear();
}

}  // namespace nuvrel::sim
