// SPDX-License-Identifier: MIT
#include "cli/transfer_commands.h"

#include <charconv>
#include <cstring>

#include "app/file_io.h"
#include "app/file_replace.h"
#include "app/format.h"
#include "app/strings.h"
#include "app/utf8_path.h"
#include "cli/cell_spec.h"
#include "cli/cli.h"
#include "cli/session.h"
#include "sheets/sheet_file.h"
#include "sheets/workspace.h"
#include "transfers/articles_report.h"
#include "transfers/daily_report.h"
#include "transfers/logo.h"
#include "transfers/send_changes.h"
#include "transfers/uploads.h"

namespace nuvrel::cli {
namespace {

std::optional<int> ParseRowNumber(const std::string& text) {
  int value = 0;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data(), last, value);
  if (text.empty() || error != std::errc() || end != last || value < 1) return std::nullopt;
  return value;
}

int RunSendChanges(Session& session, transfers::TransferContext& context, sheets::SheetId sheet,
                   grid::CellTable& grid) {
  using transfers::ChangesOutcome;
  switch (transfers::SendChanges(context, sheet, grid)) {
    case ChangesOutcome::Sent:
    case ChangesOutcome::NothingChanged: return kCompleted;
    case ChangesOutcome::NothingKnown: {
      const sheets::SheetInfo& info = sheets::InfoFor(sheet);
      const std::string caption(app::Text(app::SheetCaption(sheets::Index(sheet))));
      session.Ui().Note(
          app::Format(app::Sid::NothingKnown, {context.identity.deviceNumber, caption}));
      std::string hint =
          "nuvrel-cli: send the whole sheet first (send " + std::string(info.cliName) + " FILE)";
      if (sheet == sheets::SheetId::Articles)
        hint += ", or read what it holds (report articles OUT)";
      session.Ui().Note(hint);
      return kFailed;
    }
    case ChangesOutcome::Failed: break;
  }
  return kFailed;
}

}  // namespace

Parsed<SendArgs> ParseSendArgs(const std::vector<std::string>& words) {
  Parsed<SendArgs> result;
  SendArgs args;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] == "--select") {
      if (i + 1 >= words.size()) {
        result.error = "--select needs CELLS";
        return result;
      }
      const auto range = ParseCellSpec(words[++i]);
      if (!range) {
        result.error = "--select takes ROW[-ROW][:COL[-COL]], not '" + words[i] + "'";
        return result;
      }
      args.select.push_back(*range);
    } else if (words[i] == "--from-row") {
      const std::optional<int> row =
          i + 1 < words.size() ? ParseRowNumber(words[++i]) : std::nullopt;
      if (!row) {
        result.error = "--from-row needs a row number from 1 on";
        return result;
      }
      args.fromRow = *row;
    } else if (words[i] == "--changed") {
      args.changed = true;
    } else if (words[i].size() > 1 && words[i][0] == '-') {
      result.error = "send: unknown option '" + words[i] + "'";
      return result;
    } else {
      positional.push_back(words[i]);
    }
  }
  if (positional.size() != 2) {
    result.error = "send needs a SHEET and a FILE";
    return result;
  }
  if (args.changed && (!args.select.empty() || args.fromRow != 1)) {
    result.error = "--changed goes without --select and --from-row";
    return result;
  }
  const auto sheet = sheets::SheetByCliName(positional[0]);
  if (!sheet || !sheets::IsProgrammable(*sheet)) {
    result.error =
        "send takes articles, operators, departments, firm-data or advertisement, not '" +
        positional[0] + "'";
    return result;
  }
  const sheets::SheetInfo& info = sheets::InfoFor(*sheet);
  for (const grid::CellRange& range : args.select) {
    if (range.minRow >= info.rows || range.minCol >= info.columns) {
      result.error = "--select names no cell of " + positional[0];
      return result;
    }
  }
  args.sheet = *sheet;
  args.file = positional[1];
  result.args = std::move(args);
  return result;
}

Parsed<ReportArgs> ParseReportArgs(const std::vector<std::string>& words) {
  Parsed<ReportArgs> result;
  ReportArgs args;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] == "--departments") {
      if (i + 1 >= words.size()) {
        result.error = "--departments needs a FILE";
        return result;
      }
      args.departments = words[++i];
    } else if (words[i].size() > 1 && words[i][0] == '-') {
      result.error = "report: unknown option '" + words[i] + "'";
      return result;
    } else {
      positional.push_back(words[i]);
    }
  }
  if (positional.size() != 2 || (positional[0] != "articles" && positional[0] != "daily")) {
    result.error = "report needs 'articles OUT' or 'daily OUT'";
    return result;
  }
  args.daily = positional[0] == "daily";
  if (args.departments && !args.daily) {
    result.error = "--departments goes with 'report daily'";
    return result;
  }
  args.out = positional[1];
  result.args = std::move(args);
  return result;
}

Parsed<LogoArgs> ParseLogoArgs(const std::vector<std::string>& words) {
  Parsed<LogoArgs> result;
  if (words.size() != 1 || (words[0].size() > 1 && words[0][0] == '-')) {
    result.error = "logo needs one BMP file";
    return result;
  }
  result.args = LogoArgs{words[0]};
  return result;
}

int RunSend(Session& session, const SendArgs& args) {
  sheets::Workspace workspace;
  grid::CellTable& grid = workspace.Grid(args.sheet);
  if (!sheets::SheetTextReader(grid).ReadSheetFile(app::Utf8Path(args.file), session.Ui()))
    return kFailed;

  if (!args.select.empty()) {
    for (grid::CellRange range : args.select) {
      if (range.maxCol < 0) range.maxCol = grid.GetColumnCount() - 1;
      grid.SelectRange(range, true);
    }
  }
  transfers::TransferContext context = session.Context();
  if (args.changed) return RunSendChanges(session, context, args.sheet, grid);
  context.firstRow = args.fromRow;
  if (transfers::UploadSheet(context, args.sheet, grid, !args.select.empty())) return kCompleted;
  if (context.resumeRow > 0) {
    session.Ui().Note("nuvrel-cli: to send the rest, run the same command with --from-row " +
                      std::to_string(context.resumeRow));
  }
  return kFailed;
}

int RunReport(Session& session, const ReportArgs& args) {
  sheets::Workspace workspace;
  transfers::TransferContext context = session.Context();
  app::Ui& ui = session.Ui();
  // A failed download leaves the output files as they were: a half report would pass for a whole
  // one.
  if (!args.daily) {
    grid::CellTable& grid = workspace.Grid(sheets::SheetId::ArticlesReport);
    if (!transfers::DownloadArticlesReport(context, grid)) return kFailed;
    return sheets::SheetTextWriter(grid).WriteSheetFile(app::Utf8Path(args.out), ui) ? kCompleted
                                                                                     : kFailed;
  }
  grid::CellTable& departments = workspace.Grid(sheets::SheetId::DepartmentReport);
  transfers::StringPane pane(workspace.ReportsText());
  if (!transfers::DownloadDailyReport(context, pane, departments)) return kFailed;
  // The report and its departments are one result: both files are written, or neither.
  std::vector<app::FileContentsToSave> files{{app::Utf8Path(args.out), workspace.ReportsText()}};
  if (args.departments)
    files.push_back({app::Utf8Path(*args.departments), sheets::SheetText(departments)});
  return app::SaveFiles(ui, files) ? kCompleted : kFailed;
}

int RunLogo(Session& session, const LogoArgs& args) {
  // The window's Logo Manager asks for another file; here the reason is all there is to say.
  if (const int error = app::ReadPermissionError(app::Utf8Path(args.bitmap)); error != 0) {
    session.Ui().Note("nuvrel-cli: cannot open " + args.bitmap + ": " + std::strerror(error));
    return kFailed;
  }
  transfers::LogoState logo;
  if (!transfers::LoadLogo(logo, session.Settings(), args.bitmap)) {
    session.Ui().Note("nuvrel-cli: cannot open " + args.bitmap +
                      ": not a bitmap file that the ECR takes");
    return kFailed;
  }
  transfers::TransferContext context = session.Context();
  // The logo goes as a header and a hundred or so chunks; the bar counts them.
  const std::uint64_t chunk = transfers::LogoChunkSize(logo.info.fileSize);
  const auto steps = static_cast<unsigned>(5 + (logo.info.fileSize + chunk - 1) / chunk);
  const std::string what(app::Text(app::Sid::SendingLogo));
  const auto progress = [&](int step) {
    session.Ui().ShowProgress({what, static_cast<unsigned>(step), steps});
  };
  return transfers::SendLogo(context, logo, progress) ? kCompleted : kFailed;
}

}  // namespace nuvrel::cli
