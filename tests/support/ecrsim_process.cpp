// SPDX-License-Identifier: MIT
#include "support/ecrsim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <fstream>
#include <sstream>

namespace nuvrel::test {
namespace {

using Clock = std::chrono::steady_clock;

int MillisLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<Millis>(deadline - Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(left, 0, 60000));
}

// Reads what is there into text; false at end of file or on error.
bool Drain(int fd, std::string& text) {
  std::array<char, 4096> buffer{};
  const ssize_t n = ::read(fd, buffer.data(), buffer.size());
  if (n > 0) {
    text.append(buffer.data(), static_cast<std::size_t>(n));
    return true;
  }
  return n < 0 && (errno == EINTR || errno == EAGAIN);
}

}  // namespace

EcrsimProcess::EcrsimProcess(const std::vector<std::string>& args)
    // A test program that crashes takes its simulators with it.
    : m_child(NUVREL_ECRSIM_PATH, args,
              {false, app::ChildOutput::Pipe(), app::ChildOutput::Pipe(), SIGKILL}) {}

std::optional<std::string> EcrsimProcess::FirstLine(Millis timeout) {
  if (m_firstLine || m_child.Out() < 0) return m_firstLine;
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    if (const auto nl = m_stdout.find('\n'); nl != std::string::npos) {
      m_firstLine = m_stdout.substr(0, nl);
      m_stdout.erase(0, nl + 1);
      return m_firstLine;
    }
    pollfd p{m_child.Out(), POLLIN, 0};
    if (::poll(&p, 1, MillisLeft(deadline)) <= 0) return std::nullopt;
    if (!Drain(m_child.Out(), m_stdout)) return std::nullopt;
  }
}

std::optional<std::string> EcrsimProcess::SlavePath() {
  const std::string prefix = "ecrsim: listening on ";
  const auto line = FirstLine();
  if (!line || line->rfind(prefix, 0) != 0) return std::nullopt;
  return line->substr(prefix.size());
}

std::optional<int> EcrsimProcess::Finish(int signal, Millis timeout) {
  if (!Started()) return std::nullopt;
  if (signal != 0) m_child.Signal(signal);
  // Both pipes reach end of file when the child exits; until then collect what it writes.
  const auto deadline = Clock::now() + timeout;
  bool outOpen = m_child.Out() >= 0;
  bool errOpen = m_child.Err() >= 0;
  while (outOpen || errOpen) {
    std::array<pollfd, 2> fds{
        {{outOpen ? m_child.Out() : -1, POLLIN, 0}, {errOpen ? m_child.Err() : -1, POLLIN, 0}}};
    const int ready = ::poll(fds.data(), fds.size(), MillisLeft(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    if (fds[0].revents != 0) outOpen = Drain(m_child.Out(), m_stdout);
    if (fds[1].revents != 0) errOpen = Drain(m_child.Err(), m_stderr);
  }
  const bool ended = !outOpen && !errOpen;
  const app::ChildExit exit =
      ended ? m_child.Stop(0, Millis(5000)) : m_child.Stop(SIGKILL, Millis(0));
  m_cpu = exit.cpu;
  if (!ended) return std::nullopt;
  return exit.status;
}

std::optional<std::chrono::microseconds> EcrsimProcess::CpuSoFar() const {
  if (!Started()) return std::nullopt;
  std::ifstream file("/proc/" + std::to_string(m_child.Pid()) + "/stat");
  std::string stat;
  if (!std::getline(file, stat)) return std::nullopt;
  // The command name in parentheses may hold spaces; the fields after it are plain numbers.
  const auto close = stat.rfind(')');
  if (close == std::string::npos) return std::nullopt;
  std::istringstream fields(stat.substr(close + 1));
  std::string skip;
  for (int i = 3; i <= 13; ++i) fields >> skip;  // state .. cmajflt
  long long utime = 0;
  long long stime = 0;
  if (!(fields >> utime >> stime)) return std::nullopt;
  const long ticks = ::sysconf(_SC_CLK_TCK);
  if (ticks <= 0) return std::nullopt;
  return std::chrono::microseconds((utime + stime) * 1'000'000 / ticks);
}

SlavePort::SlavePort(const std::string& path)
    : m_fd(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)) {}

bool SlavePort::Write(const std::vector<std::uint8_t>& bytes) {
  return m_fd.Valid() &&
         ::write(m_fd.Get(), bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

std::vector<std::uint8_t> SlavePort::Read(std::size_t count, Millis timeout) {
  std::vector<std::uint8_t> got;
  const auto deadline = Clock::now() + timeout;
  while (m_fd.Valid() && got.size() < count) {
    pollfd p{m_fd.Get(), POLLIN, 0};
    const int ready = ::poll(&p, 1, MillisLeft(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0 || (p.revents & POLLIN) == 0) break;
    std::array<std::uint8_t, 4096> buffer{};
    const ssize_t n =
        ::read(m_fd.Get(), buffer.data(), std::min(buffer.size(), count - got.size()));
    if (n <= 0) break;
    got.insert(got.end(), buffer.begin(), buffer.begin() + n);
  }
  return got;
}

}  // namespace nuvrel::test
