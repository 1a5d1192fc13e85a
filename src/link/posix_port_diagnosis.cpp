// SPDX-License-Identifier: MIT
// The group of a device and the process that holds it, from the file system and /proc.
#include <grp.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "link/port_diagnosis.h"

namespace nuvrel::link {
namespace {

namespace fs = std::filesystem;

bool AllDigits(const std::string& text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Whether one of the process's open files is `device` (a canonical path). The links are read,
// not followed: following one to a file on a stalled network mount would hang.
bool HoldsFile(const fs::path& fdFolder, const fs::path& device) {
  std::error_code error;
  for (fs::directory_iterator it(fdFolder, error), end; !error && it != end; it.increment(error)) {
    std::error_code unreadable;
    if (fs::read_symlink(it->path(), unreadable) == device) return true;
  }
  return false;
}

// The process holding a lock on the file, from the kernel's list of locks: lines such as
// "1: FLOCK  ADVISORY  WRITE 1234 00:05:87 0 EOF" (pid, then device major:minor in hex and inode);
// a process waiting for a lock shows as "1: -> FLOCK ..." and holds nothing.
std::optional<long> LockHolder(const fs::path& locksFile, const struct stat& file) {
  std::ifstream locks(locksFile);
  for (std::string line; std::getline(locks, line);) {
    std::istringstream fields(line);
    std::string number, kind, mode, access, id;
    long pid = 0;
    if (!(fields >> number >> kind >> mode >> access >> pid >> id) || kind == "->") continue;
    unsigned major = 0, minor = 0;
    unsigned long long inode = 0;
    if (std::sscanf(id.c_str(), "%x:%x:%llu", &major, &minor, &inode) == 3 &&
        inode == file.st_ino && makedev(major, minor) == file.st_dev) {
      return pid;
    }
  }
  return std::nullopt;
}

PortHolder Holder(const fs::path& procRoot, long pid) {
  PortHolder holder{pid, {}};
  std::ifstream comm(procRoot / std::to_string(pid) / "comm");
  std::getline(comm, holder.name);
  return holder;
}

}  // namespace

std::optional<std::string> DeviceGroup(const std::string& devicePath) {
  struct stat st {};
  if (::stat(devicePath.c_str(), &st) != 0) return std::nullopt;
  constexpr mode_t kGroupReadWrite = S_IRGRP | S_IWGRP;
  if ((st.st_mode & kGroupReadWrite) != kGroupReadWrite) return std::nullopt;
  std::vector<char> buffer(1024);
  for (;;) {
    group entry{};
    group* found = nullptr;
    const int result = ::getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found);
    if (result == ERANGE && buffer.size() < (std::size_t{1} << 20)) {
      buffer.resize(buffer.size() * 2);
      continue;
    }
    if (result != 0 || found == nullptr || found->gr_name == nullptr) return std::nullopt;
    return std::string(found->gr_name);
  }
}

std::optional<PortHolder> FindPortHolder(const std::string& devicePath, const fs::path& procRoot) {
  struct stat device {};
  if (::stat(devicePath.c_str(), &device) != 0) return std::nullopt;
  // Several processes may have the device open (a simulator keeps its terminal's far end open);
  // the one with the lock is the one in the way.
  if (const auto pid = LockHolder(procRoot / "locks", device); pid && *pid != ::getpid()) {
    return Holder(procRoot, *pid);
  }
  std::error_code error;
  const fs::path target = fs::canonical(devicePath, error);
  if (error) return std::nullopt;
  const std::string self = std::to_string(::getpid());
  for (fs::directory_iterator it(procRoot, error), end; !error && it != end; it.increment(error)) {
    const std::string pid = it->path().filename().string();
    if (!AllDigits(pid) || pid == self || pid.size() > 9) continue;
    if (HoldsFile(it->path() / "fd", target)) return Holder(procRoot, std::stol(pid));
  }
  return std::nullopt;
}

}  // namespace nuvrel::link
