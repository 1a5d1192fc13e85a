// SPDX-License-Identifier: MIT
#include "cli/fleet_command.h"

#include <charconv>

#include "app/settings_file.h"
#include "cli/cli.h"
#include "cli/fleet_run.h"
#include "cli/interrupt.h"
#include "cli/terminal.h"

namespace nuvrel::cli {
namespace {

constexpr unsigned kMostJobs = 64;

}  // namespace

int RunFleetCommand(const std::vector<std::string>& words, const Options& options, std::FILE* out,
                    std::FILE* err) {
  FleetSettings settings;
  std::string manifestPath;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] == "--jobs") {
      unsigned jobs = 0;
      const std::string value = i + 1 < words.size() ? words[++i] : "";
      const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), jobs);
      if (value.empty() || ec != std::errc() || end != value.data() + value.size() || jobs < 1 ||
          jobs > kMostJobs) {
        return UsageError(err, "--jobs takes a number from 1 to " + std::to_string(kMostJobs));
      }
      settings.jobs = jobs;
    } else if (words[i].size() > 1 && words[i][0] == '-') {
      return UsageError(err, "fleet: unknown option '" + words[i] + "'");
    } else if (manifestPath.empty()) {
      manifestPath = words[i];
    } else {
      return UsageError(err, "fleet takes one MANIFEST");
    }
  }
  if (manifestPath.empty()) return UsageError(err, "fleet needs a MANIFEST");
  if (options.port || options.com) {
    return UsageError(err, "the fleet's ports are in its manifest, not in --port or --com");
  }
  if (options.trace && options.trace->find("{name}") == std::string::npos) {
    return UsageError(err, "the fleet's --trace names one file per register: put {name} in it");
  }
  const ManifestParse parsed = ReadManifest(manifestPath);
  if (!parsed.manifest) return UsageError(err, parsed.error);
  const FleetManifest& manifest = *parsed.manifest;

  settings.settingsPath =
      options.settings ? *options.settings : app::SettingsFile::DefaultPath("nuvrel");
  settings.tracePattern = options.trace;
  settings.yes = options.yes;

  std::vector<RegisterRow> rows;
  for (const FleetRegister& reg : manifest.registers) {
    RegisterRow row;
    row.name = reg.name;
    row.port = reg.port;
    rows.push_back(std::move(row));
  }
  const bool live = IsTerminal(out);
  FleetBoard board(std::move(rows), manifest.steps.size(), out, err, live,
                   live ? TerminalColumns(out) : 80);
  const InterruptCatcher catcher;
  if (!RunFleet(manifest, settings, board, err)) return kFailed;
  board.Close();
  if (Interrupted()) return kInterrupted;
  for (const RegisterRow& row : board.Rows()) {
    if (row.state != RegisterState::Succeeded) return kFailed;
  }
  return kCompleted;
}

}  // namespace nuvrel::cli
