// SPDX-License-Identifier: MIT
#include "support/terminal_run.h"

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace nuvrel::test {

TerminalRun RunOnTerminal(const std::string& path, const std::vector<std::string>& args,
                          const std::function<bool(const std::string& screen)>& when,
                          const std::string& type, std::chrono::milliseconds timeout) {
  TerminalRun run;
  int master = -1;
  const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
  if (pid < 0) return run;
  if (pid == 0) {
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    _exit(127);
  }

  const auto deadline = std::chrono::steady_clock::now() + timeout;
  bool typed = false;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      kill(pid, SIGKILL);
      break;
    }
    pollfd fd{master, POLLIN, 0};
    if (poll(&fd, 1, static_cast<int>(left.count())) <= 0) continue;
    char buffer[4096];
    const ssize_t got = read(master, buffer, sizeof buffer);
    // The terminal reports an error once the program has closed its side.
    if (got <= 0) break;
    run.screen.append(buffer, static_cast<std::size_t>(got));
    if (!typed && when(run.screen)) {
      typed = write(master, type.data(), type.size()) == static_cast<ssize_t>(type.size());
    }
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  close(master);
  if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
  return run;
}

}  // namespace nuvrel::test
