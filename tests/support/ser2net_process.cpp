// SPDX-License-Identifier: MIT
#include "support/ser2net_process.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

extern char** environ;

namespace nuvrel::test {
namespace {

constexpr const char* kSer2net = "/usr/sbin/ser2net";

// Whether the loopback port is in the listening state (read from /proc, without connecting:
// a connection would open the device).
bool Listening(std::uint16_t port) {
  std::ifstream table("/proc/net/tcp");
  char wanted[32];
  std::snprintf(wanted, sizeof wanted, "0100007F:%04X", port);
  std::string line;
  while (std::getline(table, line)) {
    std::istringstream words(line);
    std::string slot, local, remote, state;
    words >> slot >> local >> remote >> state;
    if (local == wanted && state == "0A") return true;
  }
  return false;
}

}  // namespace

bool Ser2net::Installed() {
  return ::access(kSer2net, X_OK) == 0;
}

std::uint16_t FreeLoopbackPort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  std::uint16_t port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) == 0) {
    port = ntohs(address.sin_port);
  }
  ::close(fd);
  return port;
}

Ser2net::Ser2net(const std::string& folder, const std::string& device,
                 const std::vector<std::string>& accepters, const std::string& line, bool verbose)
    : m_folder(folder) {
  if (!Installed()) return;
  std::ofstream config(folder + "/ser2net.yaml");
  config << "%YAML 1.1\n---\n";
  for (std::size_t i = 0; i < accepters.size(); ++i) {
    m_ports.push_back(FreeLoopbackPort());
    config << "connection: &c" << i << "\n  accepter: " << accepters[i] << ",127.0.0.1,"
           << m_ports.back() << "\n  connector: serialdev," << device << "," << line << ",local\n";
  }
  config.close();

  const std::string configPath = folder + "/ser2net.yaml";
  const std::string pidPath = folder + "/ser2net.pid";
  const std::string logPath = folder + "/ser2net.log";
  std::vector<std::string> args{kSer2net, verbose ? "-d" : "-n"};
  if (verbose) args.push_back("-l");
  // -u: no UUCP lock files for the pseudo-terminal.
  for (const char* a : {"-u", "-c", configPath.c_str(), "-P", pidPath.c_str()}) args.push_back(a);
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, logPath.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const int spawned = posix_spawn(&m_pid, kSer2net, &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    m_pid = -1;
    return;
  }
  // ser2net gives no sign when it listens: look for the ports, for up to 5 s.
  for (int i = 0; i < 500 && !m_ok; ++i) {
    m_ok = true;
    for (std::uint16_t port : m_ports) m_ok = m_ok && Listening(port);
    if (!m_ok) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

Ser2net::~Ser2net() {
  if (m_pid <= 0) return;
  ::kill(m_pid, SIGTERM);
  int status = 0;
  for (int i = 0; i < 300; ++i) {
    if (::waitpid(m_pid, &status, WNOHANG) == m_pid) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ::kill(m_pid, SIGKILL);
  ::waitpid(m_pid, &status, 0);
}

std::string Ser2net::Log() const {
  std::ifstream file(m_folder + "/ser2net.log");
  return std::string(std::istreambuf_iterator<char>(file), {});
}

}  // namespace nuvrel::test
