// SPDX-License-Identifier: MIT
#include "simulator_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <string_view>

namespace nuvrel::bench {
namespace {

using SteadyClock = std::chrono::steady_clock;

constexpr auto kStartTimeout = std::chrono::seconds(5);
constexpr auto kStopTimeout = std::chrono::seconds(3);

int MillisLeft(SteadyClock::time_point deadline) {
  const auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
  return left.count() < 0 ? 0 : static_cast<int>(left.count());
}

}  // namespace

Seconds CpuTime(int who) {
  rusage usage{};
  ::getrusage(who, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
  };
  return Seconds(seconds(usage.ru_utime) + seconds(usage.ru_stime));
}

Simulator::Simulator(const std::string& path, const std::vector<std::string>& args) {
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return;
  std::vector<std::string> all{path};
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);
  m_pid = ::fork();
  if (m_pid == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  m_out = out[0];
}

std::optional<std::string> Simulator::SlavePath() {
  const std::string_view prefix = "ecrsim: listening on ";
  const auto deadline = SteadyClock::now() + kStartTimeout;
  std::string text;
  while (m_out >= 0 && text.find('\n') == std::string::npos) {
    pollfd p{m_out, POLLIN, 0};
    const int ready = ::poll(&p, 1, MillisLeft(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return std::nullopt;
    std::array<char, 512> buffer{};
    const ssize_t n = ::read(m_out, buffer.data(), buffer.size());
    if (n <= 0) return std::nullopt;
    text.append(buffer.data(), static_cast<std::size_t>(n));
  }
  const std::string line = text.substr(0, text.find('\n'));
  if (line.rfind(prefix, 0) != 0) return std::nullopt;
  return line.substr(prefix.size());
}

std::optional<Seconds> Simulator::Stop() {
  if (m_pid <= 0) return std::nullopt;
  ::kill(m_pid, SIGTERM);
  // The pipe reaches end of file when the child has gone.
  const auto deadline = SteadyClock::now() + kStopTimeout;
  bool ended = false;
  while (!ended && m_out >= 0) {
    pollfd p{m_out, POLLIN, 0};
    const int ready = ::poll(&p, 1, MillisLeft(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    std::array<char, 512> buffer{};
    const ssize_t n = ::read(m_out, buffer.data(), buffer.size());
    ended = n == 0 || (n < 0 && errno != EINTR);
  }
  if (!ended) ::kill(m_pid, SIGKILL);
  const Seconds before = CpuTime(RUSAGE_CHILDREN);
  ::waitpid(m_pid, nullptr, 0);
  m_pid = -1;
  if (m_out >= 0) ::close(m_out);
  m_out = -1;
  return CpuTime(RUSAGE_CHILDREN) - before;
}

}  // namespace nuvrel::bench
