// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "app/child_process.h"

namespace nuvrel::app {
namespace {

// What the child does with one output stream, decided before the fork: between fork and exec only
// calls that are safe after a fork in a threaded program are made.
struct Redirect {
  int target = -1;             // the stream; -1: inherited, nothing to do
  int pipeWrite = -1;          // dup'ed onto it when >= 0
  const char* file = nullptr;  // opened onto it when set
  bool discard = false;        // the null device onto it
};

// In the child: tells the parent why exec did not happen, and ends.
[[noreturn]] void Fail(int report) {
  const int error = errno;
  (void)!::write(report, &error, sizeof error);
  ::_exit(127);
}

[[noreturn]] void RunChild(char* const* argv, const Redirect (&redirects)[2], bool discardInput,
                           int endWithParent, pid_t parent, int report) {
  if (endWithParent != 0) {
    ::prctl(PR_SET_PDEATHSIG, endWithParent);
    // The parent died before the line above took effect.
    if (::getppid() != parent) ::_exit(127);
  }
  if (discardInput) {
    const int null = ::open("/dev/null", O_RDONLY);
    if (null < 0 || ::dup2(null, STDIN_FILENO) < 0) Fail(report);
  }
  for (const Redirect& r : redirects) {
    if (r.target < 0) continue;
    int fd = r.pipeWrite;
    if (r.discard) fd = ::open("/dev/null", O_WRONLY);
    if (r.file) fd = ::open(r.file, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::dup2(fd, r.target) < 0) Fail(report);
  }
  ::execv(argv[0], argv);
  Fail(report);
}

// Makes the pipe for an output stream given as one; false when it cannot.
bool Prepare(const ChildOutput& output, int target, Redirect& redirect, UniqueFd& readEnd,
             UniqueFd& writeEnd) {
  redirect.target = target;
  switch (output.kind) {
    case ChildOutput::Kind::Inherit: redirect.target = -1; return true;
    case ChildOutput::Kind::Discard: redirect.discard = true; return true;
    case ChildOutput::Kind::File: redirect.file = output.file.c_str(); return true;
    case ChildOutput::Kind::Pipe: break;
  }
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return false;
  readEnd = UniqueFd(fds[0]);
  writeEnd = UniqueFd(fds[1]);
  redirect.pipeWrite = fds[1];
  return true;
}

}  // namespace

ChildProcess::ChildProcess(const std::string& path, const std::vector<std::string>& args,
                           const ChildOptions& options) {
  std::vector<std::string> words{path};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  Redirect redirects[2]{};
  UniqueFd outWrite;
  UniqueFd errWrite;
  int reportFds[2];
  if (!Prepare(options.out, STDOUT_FILENO, redirects[0], m_out, outWrite) ||
      !Prepare(options.err, STDERR_FILENO, redirects[1], m_err, errWrite) ||
      ::pipe2(reportFds, O_CLOEXEC) != 0) {
    m_error = std::strerror(errno);
    return;
  }
  UniqueFd reportRead(reportFds[0]);
  UniqueFd reportWrite(reportFds[1]);

  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid == 0) {
    RunChild(argv.data(), redirects, options.discardInput, options.endWithParent, parent,
             reportFds[1]);
  }
  if (pid < 0) {
    m_error = std::strerror(errno);
    return;
  }
  reportWrite.Reset();
  outWrite.Reset();
  errWrite.Reset();
  // The report pipe closes at the exec; an errno comes through it when the exec failed.
  int error = 0;
  ssize_t got = 0;
  do {
    got = ::read(reportRead.Get(), &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  if (got == static_cast<ssize_t>(sizeof error)) {
    ::waitpid(pid, nullptr, 0);
    m_out.Reset();
    m_err.Reset();
    m_error = std::strerror(error);
    return;
  }
  m_pid = pid;
  // The C library of older systems has no wrapper for this call.
  m_done = UniqueFd(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
}

ChildProcess::~ChildProcess() {
  if (Started() && !m_exit) Stop(SIGKILL, std::chrono::milliseconds(0));
}

void ChildProcess::Signal(int signal) {
  if (Started() && !m_exit) ::kill(m_pid, signal);
}

std::optional<ChildExit> ChildProcess::WaitFor(std::chrono::milliseconds timeout) {
  if (m_exit || !Started()) return m_exit;
  int status = 0;
  rusage usage{};
  pid_t reaped = ::wait4(m_pid, &status, WNOHANG, &usage);
  // The process descriptor turns readable when the child ends. Without one (an old kernel) the
  // only bounded wait left is none at all.
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (reaped == 0 && m_done.Valid()) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{m_done.Get(), POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(std::min<long long>(left.count(), 60'000)));
    if (ready < 0 && errno != EINTR) break;
    if (ready > 0) reaped = ::wait4(m_pid, &status, WNOHANG, &usage);
  }
  if (reaped != m_pid) return std::nullopt;
  ChildExit exit;
  if (WIFEXITED(status)) exit.status = WEXITSTATUS(status);
  exit.cpu = std::chrono::seconds(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
             std::chrono::microseconds(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec);
  m_exit = exit;
  m_done.Reset();
  return m_exit;
}

ChildExit ChildProcess::Stop(int signal, std::chrono::milliseconds grace) {
  if (!Started()) return {};
  Signal(signal);
  if (const auto exit = WaitFor(grace)) return *exit;
  ::kill(m_pid, SIGKILL);
  // A killed child ends at once; this wait is for the kernel to tear it down.
  if (const auto exit = WaitFor(std::chrono::seconds(60))) return *exit;
  return {};
}

}  // namespace nuvrel::app
