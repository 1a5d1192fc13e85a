// SPDX-License-Identifier: MIT
#include "cli/fleet_run.h"

#include <atomic>
#include <cstring>
#include <memory>
#include <thread>

#include "app/data_folder.h"
#include "app/file_io.h"
#include "app/file_replace.h"
#include "app/format.h"
#include "app/settings_file.h"
#include "app/strings.h"
#include "app/ui.h"
#include "app/utf8_path.h"
#include "cli/interrupt.h"
#include "link/port_map.h"
#include "link/port_opener.h"
#include "link/trace.h"
#include "sheets/sheet_file.h"
#include "sheets/workspace.h"
#include "transfers/articles_report.h"
#include "transfers/daily_report.h"
#include "transfers/logo.h"
#include "transfers/send_changes.h"
#include "transfers/uploads.h"

namespace nuvrel::cli {
namespace {

// One register's person: what the transfers say goes to its row of the board.
class FleetUi final : public app::Ui {
 public:
  FleetUi(FleetBoard& board, std::size_t row, bool yes) : m_board(board), m_row(row), m_yes(yes) {}

  void ShowMessage(std::string_view text, app::Icon icon) override {
    m_board.Message(m_row, std::string(text), icon == app::Icon::Error);
  }
  bool Ask(std::string_view text, app::Icon, bool) override {
    m_board.Message(m_row, std::string(text) + (m_yes ? " Yes" : " No"), false);
    return m_yes;
  }
  bool ShowProblems(grid::CellTable&, const std::vector<app::CellProblem>& problems) override {
    for (const app::CellProblem& p : problems) {
      const bool error = p.severity == app::Severity::Error;
      m_board.Message(m_row,
                      std::to_string(p.row) + ':' + std::to_string(p.col) + ": " +
                          (error ? "" : "warning: ") + p.message,
                      error);
    }
    return !app::AnyError(problems);
  }
  void SetStatus(std::string_view text) override { m_board.Status(m_row, std::string(text)); }
  // The live line and the summary count the records; a line for each would drown the others.
  void SetRecordStatus(std::string_view) override {}
  void PumpPaintMessages() override {}
  void ShowProgress(const app::Progress& progress) override {
    m_board.Progress(m_row, progress.done, progress.total);
  }
  bool StopRequested() override { return Interrupted(); }
  void BeginWaitCursor() override {}
  void EndWaitCursor() override {}

 private:
  FleetBoard& m_board;
  std::size_t m_row;
  bool m_yes;
};

bool RunSendStep(transfers::TransferContext& context, const SendArgs& args) {
  sheets::Workspace workspace;
  grid::CellTable& grid = workspace.Grid(args.sheet);
  if (!sheets::SheetTextReader(grid).ReadSheetFile(app::Utf8Path(args.file), context.ui))
    return false;
  for (grid::CellRange range : args.select) {
    if (range.maxCol < 0) range.maxCol = grid.GetColumnCount() - 1;
    grid.SelectRange(range, true);
  }
  if (args.changed) {
    switch (transfers::SendChanges(context, args.sheet, grid)) {
      case transfers::ChangesOutcome::Sent:
      case transfers::ChangesOutcome::NothingChanged: return true;
      case transfers::ChangesOutcome::NothingKnown: {
        // Nothing is sent: the whole sheet would overwrite what the register counted itself.
        const std::string caption(app::Text(app::SheetCaption(sheets::Index(args.sheet))));
        context.ui.ShowMessage(
            app::Format(app::Sid::NothingKnown, {context.identity.deviceNumber, caption}),
            app::Icon::Error);
        return false;
      }
      case transfers::ChangesOutcome::Failed: return false;
    }
    return false;
  }
  context.firstRow = args.fromRow;
  return transfers::UploadSheet(context, args.sheet, grid, !args.select.empty());
}

bool RunReportStep(transfers::TransferContext& context, const ReportArgs& args,
                   const FleetRegister& reg) {
  sheets::Workspace workspace;
  const std::string out = ForRegister(args.out, reg);
  if (!args.daily) {
    grid::CellTable& grid = workspace.Grid(sheets::SheetId::ArticlesReport);
    return transfers::DownloadArticlesReport(context, grid) &&
           sheets::SheetTextWriter(grid).WriteSheetFile(app::Utf8Path(out), context.ui);
  }
  grid::CellTable& departments = workspace.Grid(sheets::SheetId::DepartmentReport);
  transfers::StringPane pane(workspace.ReportsText());
  if (!transfers::DownloadDailyReport(context, pane, departments)) return false;
  std::vector<app::FileContentsToSave> files{{app::Utf8Path(out), workspace.ReportsText()}};
  if (args.departments) {
    files.push_back(
        {app::Utf8Path(ForRegister(*args.departments, reg)), sheets::SheetText(departments)});
  }
  return app::SaveFiles(context.ui, files);
}

// Everything one register needs, and its steps in order.
class RegisterRun {
 public:
  RegisterRun(const FleetManifest& manifest,
              const std::vector<std::optional<transfers::LogoState>>& logos,
              const link::PortMap& ports, const FleetSettings& settings, FleetBoard& board,
              std::size_t row)
      : m_manifest(manifest),
        m_logos(logos),
        m_ports(ports),
        m_settings(settings),
        m_board(board),
        m_row(row),
        m_ui(board, row, settings.yes) {}

  void Run() {
    const FleetRegister& reg = m_manifest.registers[m_row];
    m_ports.devices.fill(reg.port);
    std::unique_ptr<link::TraceLog> trace;
    if (m_settings.tracePattern) {
      const std::string path = ForRegister(*m_settings.tracePattern, reg);
      trace = std::make_unique<link::TraceLog>(path);
      if (!trace->Ok()) {
        m_board.Message(m_row, "cannot create the trace file " + path + ": " + trace->Error(),
                        true);
        m_board.Finished(m_row, RegisterState::Failed);
        return;
      }
    }
    link::SerialPortOpener opener(m_ports, trace.get());
    link::RegisterIdentity identity;
    for (std::size_t i = 0; i < m_manifest.steps.size(); ++i) {
      if (Interrupted()) return m_board.Finished(m_row, RegisterState::Stopped);
      const FleetStep& step = m_manifest.steps[i];
      m_board.StepStarted(m_row, i, step.text);
      transfers::TransferContext context{m_ui, link::SystemClock(), opener, identity, 0};
      // Each register's transfers are recorded under its own device number, as a single run's are.
      context.dataFolder = m_dataFolder;
      bool ok = false;
      bool counts = true;
      if (const auto* send = std::get_if<SendArgs>(&step.args)) {
        ok = RunSendStep(context, *send);
      } else if (const auto* report = std::get_if<ReportArgs>(&step.args)) {
        ok = RunReportStep(context, *report, reg);
      } else {
        counts = false;
        ok = transfers::SendLogo(context, *m_logos[i], [this](int position) {
          m_board.Progress(m_row, static_cast<unsigned>(position), 0);
        });
      }
      m_board.StepEnded(m_row, ok, counts);
      if (!ok) {
        return m_board.Finished(m_row,
                                Interrupted() ? RegisterState::Stopped : RegisterState::Failed);
      }
    }
    m_board.Finished(m_row, RegisterState::Succeeded);
  }

 private:
  const FleetManifest& m_manifest;
  const std::vector<std::optional<transfers::LogoState>>& m_logos;
  link::PortMap m_ports;
  const FleetSettings& m_settings;
  FleetBoard& m_board;
  std::size_t m_row;
  FleetUi m_ui;
  // Where what each register holds is recorded; empty: nowhere.
  const std::filesystem::path m_dataFolder = app::DataFolder().value_or(std::filesystem::path());
};

}  // namespace

bool RunFleet(const FleetManifest& manifest, const FleetSettings& settings, FleetBoard& board,
              std::FILE* err) {
  app::SettingsFile settingsFile(settings.settingsPath);
  // Each logo is read once, before any register starts: a file that cannot be sent stops the
  // fleet before it begins, and every register gets the same bitmap.
  std::vector<std::optional<transfers::LogoState>> logos(manifest.steps.size());
  for (std::size_t i = 0; i < manifest.steps.size(); ++i) {
    const auto* logo = std::get_if<LogoArgs>(&manifest.steps[i].args);
    if (!logo) continue;
    if (const int error = app::ReadPermissionError(app::Utf8Path(logo->bitmap)); error != 0) {
      std::fprintf(err, "nuvrel-cli: cannot open %s: %s\n", logo->bitmap.c_str(),
                   std::strerror(error));
      return false;
    }
    logos[i].emplace();
    if (!transfers::LoadLogo(*logos[i], settingsFile, logo->bitmap)) {
      std::fprintf(err, "nuvrel-cli: cannot open %s: not a bitmap file that the ECR takes\n",
                   logo->bitmap.c_str());
      return false;
    }
  }
  const link::PortMap ports = link::PortMap::FromSettings(settingsFile);

  std::atomic<std::size_t> next{0};
  auto worker = [&] {
    for (std::size_t row = next++; row < manifest.registers.size(); row = next++) {
      if (Interrupted()) {
        board.Finished(row, RegisterState::Stopped);
        continue;
      }
      RegisterRun(manifest, logos, ports, settings, board, row).Run();
    }
  };
  const std::size_t threads =
      std::min<std::size_t>(std::max(settings.jobs, 1u), manifest.registers.size());
  std::vector<std::thread> pool;
  for (std::size_t i = 0; i < threads; ++i) pool.emplace_back(worker);
  for (std::thread& t : pool) t.join();
  return true;
}

}  // namespace nuvrel::cli
