// SPDX-License-Identifier: MIT
// Another program run as a child of this one: its standard streams inherited, thrown away, read
// through a pipe or written to a file, and every wait for it bounded.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "app/unique_fd.h"

namespace nuvrel::app {

// Where one of the child's output streams goes.
struct ChildOutput {
  enum class Kind { Inherit, Discard, Pipe, File };
  Kind kind = Kind::Inherit;
  std::string file;  // Kind::File: created, or emptied when it exists

  static ChildOutput Inherit() { return {}; }
  static ChildOutput Discard() { return {Kind::Discard, {}}; }
  static ChildOutput Pipe() { return {Kind::Pipe, {}}; }
  static ChildOutput File(std::string path) { return {Kind::File, std::move(path)}; }
};

struct ChildOptions {
  bool discardInput = false;  // standard input from the null device instead of this program's
  ChildOutput out;
  ChildOutput err;
  // The signal the child gets when this program ends, however it ends (a crash included);
  // 0: none. Where the system has no such thing the owner's destructor is all there is.
  int endWithParent = 0;
};

// How a child ended.
struct ChildExit {
  std::optional<int> status;        // the exit status; nothing when a signal ended it
  std::chrono::microseconds cpu{};  // user and system time it used
};

class ChildProcess {
 public:
  // Starts the program (a path; no search) with the arguments. Started() tells whether it runs;
  // when not, Error() says why (a program that cannot be run counts as not started).
  ChildProcess(const std::string& path, const std::vector<std::string>& args,
               const ChildOptions& options = {});
  // A child still running is killed and reaped.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return m_pid > 0; }
  const std::string& Error() const { return m_error; }
  int Pid() const { return m_pid; }

  // The read ends of the output streams given as pipes; -1 otherwise. Whoever reads them owns the
  // waits: a child whose pipe is full stops until it is read.
  int Out() const { return m_out.Get(); }
  int Err() const { return m_err.Get(); }
  // Closes the read end of a pipe early.
  void CloseOut() { m_out.Reset(); }
  void CloseErr() { m_err.Reset(); }

  // Sends the signal to the child while it runs.
  void Signal(int signal);

  // Waits up to the time-out for the child to end; how it ended, or nothing when it still runs.
  // Once it has ended, every later call gives the same answer at once.
  std::optional<ChildExit> WaitFor(std::chrono::milliseconds timeout);

  // Asks the child to end with `signal` (0: sends none), gives it `grace` to end, then kills it;
  // how it ended.
  ChildExit Stop(int signal, std::chrono::milliseconds grace);

 private:
  int m_pid = -1;
  UniqueFd m_done;  // readable once the child has ended
  UniqueFd m_out;
  UniqueFd m_err;
  std::optional<ChildExit> m_exit;
  std::string m_error;
};

}  // namespace nuvrel::app
