// SPDX-License-Identifier: MIT
#include "cli/session.h"

#include "app/data_folder.h"
#include "app/settings.h"

namespace nuvrel::cli {

Session::Session(const Options& options, std::FILE* out, std::FILE* err, std::FILE* in)
    : m_settings(options.settings ? *options.settings : app::SettingsFile::DefaultPath("nuvrel")),
      m_ui(out, err, in, options.yes, options.quiet) {
  if (options.trace) {
    m_trace = std::make_unique<link::TraceLog>(*options.trace);
    if (!m_trace->Ok()) {
      std::fprintf(err, "nuvrel-cli: cannot create the trace file %s: %s\n", options.trace->c_str(),
                   m_trace->Error().c_str());
      m_ready = false;
    }
  }
  link::PortMap ports = link::PortMap::FromSettings(m_settings);
  if (options.port) ports.devices.fill(*options.port);
  m_ports = std::make_unique<link::SerialPortOpener>(std::move(ports), m_trace.get());
  m_comPortIndex = options.com ? *options.com - 1 : app::ReadComPortIndex(m_settings);
}

std::filesystem::path Session::DataFolder() {
  return app::DataFolder().value_or(std::filesystem::path());
}

}  // namespace nuvrel::cli
