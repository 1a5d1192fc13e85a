// SPDX-License-Identifier: MIT
#include "simulator_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
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

std::optional<std::string> Simulator::SlavePath() {
  const std::string_view prefix = "ecrsim: listening on ";
  const auto deadline = SteadyClock::now() + kStartTimeout;
  std::string text;
  while (m_child.Out() >= 0 && text.find('\n') == std::string::npos) {
    pollfd p{m_child.Out(), POLLIN, 0};
    const int ready = ::poll(&p, 1, MillisLeft(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return std::nullopt;
    std::array<char, 512> buffer{};
    const ssize_t n = ::read(m_child.Out(), buffer.data(), buffer.size());
    if (n <= 0) return std::nullopt;
    text.append(buffer.data(), static_cast<std::size_t>(n));
  }
  const std::string line = text.substr(0, text.find('\n'));
  if (line.rfind(prefix, 0) != 0) return std::nullopt;
  return line.substr(prefix.size());
}

std::optional<Seconds> Simulator::Stop() {
  if (!m_child.Started() || m_child.WaitFor(std::chrono::milliseconds(0))) return std::nullopt;
  const app::ChildExit exit = m_child.Stop(SIGTERM, kStopTimeout);
  return std::chrono::duration_cast<Seconds>(exit.cpu);
}

}  // namespace nuvrel::bench
