// SPDX-License-Identifier: MIT
#include "support/child_process.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include "app/child_process.h"

namespace nuvrel::test {

using Clock = std::chrono::steady_clock;

RunResult RunProgram(const std::string& path, const std::vector<std::string>& args,
                     std::chrono::milliseconds timeout) {
  RunResult result;
  const auto start = Clock::now();
  app::ChildOptions options;
  options.discardInput = true;
  options.out = app::ChildOutput::Pipe();
  options.err = app::ChildOutput::Pipe();
  app::ChildProcess child(path, args, options);
  if (!child.Started()) return result;

  pollfd fds[2] = {{child.Out(), POLLIN, 0}, {child.Err(), POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open = 2;
  bool killed = false;
  while (open > 0) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(start + timeout - Clock::now());
    if (left.count() <= 0) {
      killed = true;
      break;
    }
    if (poll(fds, 2, static_cast<int>(left.count())) <= 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
      char buffer[4096];
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else {
        fds[i].fd = -1;
        --open;
      }
    }
  }
  const app::ChildExit exit = child.Stop(killed ? SIGKILL : 0, std::chrono::seconds(30));
  result.wall = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
  result.cpu = exit.cpu;
  result.status = !killed && exit.status ? *exit.status : -1;
  return result;
}

}  // namespace nuvrel::test
