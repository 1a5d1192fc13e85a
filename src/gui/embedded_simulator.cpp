// SPDX-License-Identifier: MIT
#include "gui/embedded_simulator.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <algorithm>
#include <chrono>

namespace nuvrel::gui {
namespace {

constexpr auto kStartTimeout = std::chrono::seconds(5);
constexpr auto kStopTimeout = std::chrono::seconds(2);

// Reads what the pipe holds onto `text`, waiting until the deadline for something to come; false
// at end of file, on an error or when nothing came in time.
bool ReadSome(int fd, QByteArray& text, std::chrono::steady_clock::time_point deadline) {
  const auto left =
      std::chrono::ceil<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  pollfd p{fd, POLLIN, 0};
  if (::poll(&p, 1, static_cast<int>(std::max<long long>(left.count(), 0))) <= 0) return false;
  char buffer[512];
  const ssize_t n = ::read(fd, buffer, sizeof buffer);
  if (n <= 0) return false;
  text.append(buffer, n);
  return true;
}

std::unique_ptr<QSocketNotifier> Drain(int fd) {
  auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
  QSocketNotifier* raw = notifier.get();
  QObject::connect(raw, &QSocketNotifier::activated, [raw, fd] {
    char buffer[4096];
    // At end of file the pipe stays readable: stop watching it.
    if (::read(fd, buffer, sizeof buffer) <= 0) raw->setEnabled(false);
  });
  return notifier;
}

}  // namespace

EmbeddedSimulator::~EmbeddedSimulator() {
  m_outDrain.reset();
  m_errDrain.reset();
  if (m_process) m_process->Stop(SIGTERM, kStopTimeout);
}

bool EmbeddedSimulator::Start() {
  const QString program = QCoreApplication::applicationDirPath() + "/ecrsim";
  const QString state = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                        "/simulated-register";
  QDir().mkpath(state);
  // Paced like a real line at 9600 baud, so the demo shows what a transfer takes. The simulator
  // ends with the program, however the program ends: a crash or a kill must not leave it running.
  app::ChildOptions options{true, app::ChildOutput::Pipe(), app::ChildOutput::Pipe(), SIGTERM};
  m_process.emplace(program.toStdString(),
                    std::vector<std::string>{"--state", state.toStdString(), "--baud", "9600"},
                    options);
  if (!m_process->Started()) {
    m_error = "The simulated register " + program +
              " does not start: " + QString::fromStdString(m_process->Error());
    return false;
  }
  const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
  QByteArray out;
  while (!out.contains('\n') && ReadSome(m_process->Out(), out, deadline)) {
  }
  const QString prefix = "ecrsim: listening on ";
  const QString first = QString::fromLocal8Bit(out.left(out.indexOf('\n'))).trimmed();
  if (!out.contains('\n') || !first.startsWith(prefix)) {
    // Whatever the simulator said about it, once it has ended.
    m_process->Stop(SIGTERM, kStopTimeout);
    QByteArray err;
    while (ReadSome(m_process->Err(), err, std::chrono::steady_clock::now())) {
    }
    m_error = "The simulated register did not start: " + QString::fromLocal8Bit(err).trimmed();
    return false;
  }
  m_device = first.mid(prefix.size());
  m_outDrain = Drain(m_process->Out());
  m_errDrain = Drain(m_process->Err());
  return true;
}

}  // namespace nuvrel::gui
