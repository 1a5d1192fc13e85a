// SPDX-License-Identifier: MIT
// What every command of nuvrel-cli works with: the settings, the port, the person, the register.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "app/settings_file.h"
#include "cli/console_ui.h"
#include "cli/options.h"
#include "link/handshake.h"
#include "link/port_opener.h"
#include "link/trace.h"
#include "transfers/transfer_context.h"

namespace nuvrel::cli {

class Session {
 public:
  Session(const Options& options, std::FILE* out, std::FILE* err, std::FILE* in);

  // False (with the reason written to stderr) when the trace file cannot be created.
  bool Ready() const { return m_ready; }

  app::SettingsFile& Settings() { return m_settings; }
  ConsoleUi& Ui() { return m_ui; }
  link::PortOpener& Ports() { return *m_ports; }
  link::Clock& Clock() { return link::SystemClock(); }
  link::RegisterIdentity& Identity() { return m_identity; }
  // 0 for COM1 .. 3 for COM4, from --com or the settings file.
  int ComPortIndex() const { return m_comPortIndex; }
  // Everything a transfer needs, for one command.
  transfers::TransferContext Context() {
    transfers::TransferContext context{m_ui, Clock(), *m_ports, m_identity, m_comPortIndex};
    context.dataFolder = DataFolder();
    return context;
  }
  // Where what each register holds is recorded; empty when there is no such folder.
  static std::filesystem::path DataFolder();

 private:
  app::SettingsFile m_settings;
  ConsoleUi m_ui;
  std::unique_ptr<link::TraceLog> m_trace;
  std::unique_ptr<link::SerialPortOpener> m_ports;
  link::RegisterIdentity m_identity;
  int m_comPortIndex = 0;
  bool m_ready = true;
};

}  // namespace nuvrel::cli
