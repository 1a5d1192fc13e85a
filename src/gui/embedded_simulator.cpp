// SPDX-License-Identifier: MIT
#include "gui/embedded_simulator.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "gui/child_process_tie.h"

namespace nuvrel::gui {

EmbeddedSimulator::~EmbeddedSimulator() {
  if (m_process.state() != QProcess::NotRunning) {
    m_process.terminate();
    if (!m_process.waitForFinished(2000)) m_process.kill();
  }
}

bool EmbeddedSimulator::Start() {
  const QString program = QCoreApplication::applicationDirPath() + "/ecrsim";
  const QString state = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
                        "/simulated-register";
  QDir().mkpath(state);
  // Paced like a real line at 9600 baud, so the demo shows what a transfer takes.
  m_process.setProgram(program);
  m_process.setArguments({"--state", state, "--baud", "9600"});
  m_process.setProcessChannelMode(QProcess::SeparateChannels);
  // The simulator ends with the program, however the program ends: a crash or a kill must not
  // leave it running.
  TieToThisProgram(m_process);
  m_process.start();
  if (!m_process.waitForStarted(3000)) {
    m_error = "The simulated register " + program + " does not start: " + m_process.errorString();
    return false;
  }
  const QString prefix = "ecrsim: listening on ";
  QByteArray line;
  while (!line.endsWith('\n') && m_process.waitForReadyRead(5000)) line += m_process.readLine();
  const QString first = QString::fromLocal8Bit(line).trimmed();
  if (!first.startsWith(prefix)) {
    m_error = "The simulated register did not start: " +
              QString::fromLocal8Bit(m_process.readAllStandardError()).trimmed();
    return false;
  }
  m_device = first.mid(prefix.size());
  return true;
}

}  // namespace nuvrel::gui
