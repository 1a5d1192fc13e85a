// SPDX-License-Identifier: MIT
#include "sim/simulator.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "link/trace.h"
#include "sim/pty_port.h"
#include "sim/register.h"
#include "sim/serve.h"
#include "sim/slave_link.h"
#include "sim/state_dir.h"
#include "sim/stop_signals.h"
#include "sim/tcp_listener.h"

namespace nuvrel::sim {
namespace {

void Diagnostic(std::FILE* err, std::string_view text) {
  std::fputs("ecrsim: ", err);
  std::fwrite(text.data(), 1, text.size(), err);
  std::fputc('\n', err);
  std::fflush(err);
}

// The register on TCP: one connection after another until a stop signal or the hangup fault.
int ServeOnTcp(const std::string& hostPort, Register& reg, const ServeSettings& settings,
               int stopFd, std::FILE* out, std::FILE* err) {
  TcpListenerOpen opened = TcpListener::Open(hostPort);
  if (!opened.listener) {
    Diagnostic(err, opened.error);
    return 1;
  }
  std::fprintf(out, "ecrsim: listening on %s\n", opened.listener->Address().c_str());
  std::fflush(out);
  for (;;) {
    std::string error;
    const app::UniqueFd connection = opened.listener->Accept(stopFd, error);
    if (!connection.Valid()) {
      if (error.empty()) return 0;
      Diagnostic(err, error);
      return 1;
    }
    if (settings.trace) settings.trace->Note("connected");
    const ServeResult result = Serve(connection.Get(), stopFd, reg, settings);
    switch (result.end) {
      case ServeEnd::Stopped: return 0;
      case ServeEnd::HungUp: Diagnostic(err, "hung up"); return 0;
      // A client that went away or broke the connection: the next one is served.
      case ServeEnd::Closed:
      case ServeEnd::Failed:
        if (settings.trace) settings.trace->Note("disconnected: " + result.error);
        break;
    }
  }
}

}  // namespace

int RunSimulator(const Options& options, std::FILE* out, std::FILE* err) {
  StopSignals stop;
  if (!stop.Ok()) {
    Diagnostic(err, stop.Error());
    return 1;
  }
  std::optional<link::TraceLog> trace;
  if (options.tracePath) {
    trace.emplace(*options.tracePath);
    if (!trace->Ok()) {
      Diagnostic(err, "cannot write the trace file " + *options.tracePath + ": " + trace->Error());
      return 1;
    }
  }
  // The tables are read before the line is announced, so the first frame finds them.
  RegisterTables tables;
  std::optional<StateDir> state;
  if (options.statePath) {
    state.emplace(*options.statePath);
    if (auto error = state->Prepare()) {
      Diagnostic(err, *error);
      return 1;
    }
    StateLoad load = state->Load();
    for (const std::string& note : load.notes) Diagnostic(err, note);
    if (!load.notes.empty()) {
      // Running on would save the next change over the files it could not read.
      Diagnostic(err, "the state in " + *options.statePath + " cannot be read; fix or move it");
      return 1;
    }
    tables = std::move(load.tables);
  }
  Register reg(RegisterSettings{options.serial, options.country, options.firmware},
               FaultPlan(options.faults), std::move(tables));
  ServeSettings settings;
  settings.baud = options.baud;
  settings.trace = trace ? &*trace : nullptr;
  settings.report = [err](std::string_view text) { Diagnostic(err, text); };
  if (state) {
    settings.save = [&state](const RegisterTables& now, TableKind table) {
      return state->Save(now, table);
    };
  }
  if (options.listen) return ServeOnTcp(*options.listen, reg, settings, stop.Fd(), out, err);

  PtyOpen opened = PtyPort::Open();
  if (!opened.port) {
    Diagnostic(err, opened.error);
    return 1;
  }
  PtyPort& port = *opened.port;
  std::optional<SlaveLink> slaveLink;
  if (options.linkPath) {
    SlaveLinkCreate created = SlaveLink::Create(*options.linkPath, port.SlaveName());
    if (!created.link) {
      Diagnostic(err, created.error);
      return 1;
    }
    slaveLink = std::move(created.link);
  }

  std::fprintf(out, "ecrsim: listening on %s\n", port.SlaveName().c_str());
  std::fflush(out);

  const ServeResult result = Serve(port.MasterFd(), stop.Fd(), reg, settings);

  switch (result.end) {
    case ServeEnd::HungUp:
      port.Close();
      slaveLink.reset();
      Diagnostic(err, "hung up");
      return 0;
    case ServeEnd::Stopped: return 0;
    case ServeEnd::Failed:
    case ServeEnd::Closed: Diagnostic(err, result.error); return 1;
  }
  return 1;
}

}  // namespace nuvrel::sim
