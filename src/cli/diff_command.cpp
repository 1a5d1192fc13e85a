// SPDX-License-Identifier: MIT
#include "cli/diff_command.h"

#include <charconv>

#include "app/code_page.h"
#include "app/format.h"
#include "cli/session.h"
#include "sheets/sheet_file.h"
#include "sheets/workspace.h"
#include "transfers/register_memory.h"
#include "transfers/sheet_differences.h"

namespace nuvrel::cli {
namespace {

constexpr int kSame = 0;
constexpr int kDiffer = 1;
constexpr int kTrouble = 2;

std::optional<std::uint32_t> ParseDevice(const std::string& text) {
  std::uint32_t value = 0;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data(), last, value);
  if (text.empty() || error != std::errc() || end != last || value < 1 || value > 999999) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

Parsed<DiffArgs> ParseDiffArgs(const std::vector<std::string>& words) {
  Parsed<DiffArgs> result;
  DiffArgs args;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (words[i] == "--device") {
      args.device = i + 1 < words.size() ? ParseDevice(words[++i]) : std::nullopt;
      if (!args.device) {
        result.error = "--device needs a device number from 1 to 999999";
        return result;
      }
    } else if (words[i].size() > 1 && words[i][0] == '-') {
      result.error = "diff: unknown option '" + words[i] + "'";
      return result;
    } else {
      positional.push_back(words[i]);
    }
  }
  const auto sheet = positional.size() == 2 ? sheets::SheetByCliName(positional[0]) : std::nullopt;
  if (!sheet || !sheets::IsProgrammable(*sheet)) {
    result.error =
        "diff needs a SHEET (articles, operators, departments, firm-data or "
        "advertisement) and a FILE";
    return result;
  }
  args.sheet = *sheet;
  args.file = positional[1];
  result.args = std::move(args);
  return result;
}

int RunDiff(Session& session, const DiffArgs& args, std::FILE* out) {
  sheets::Workspace workspace;
  grid::CellTable& grid = workspace.Grid(args.sheet);
  if (!sheets::SheetTextReader(grid).ReadSheetFile(args.file, session.Ui())) return kTrouble;

  transfers::RegisterMemory memory(Session::DataFolder());
  const std::optional<std::uint32_t> device =
      args.device ? args.device : memory.NewestDevice(args.sheet);
  std::unique_ptr<grid::CellTable> known;
  if (device) known = memory.Load(*device, args.sheet);
  for (const std::string& warning : memory.TakeWarnings()) session.Ui().Note(warning);
  if (!known) {
    const std::string caption(app::Text(app::SheetCaption(sheets::Index(args.sheet))));
    session.Ui().Note(device ? app::Format(app::Sid::NothingKnown, {*device, caption})
                             : std::string(app::Text(app::Sid::NothingRecorded)));
    return kTrouble;
  }

  const std::vector<grid::CellId> cells = transfers::Differences(args.sheet, grid, *known);
  for (const grid::CellId& cell : cells) {
    const std::string line = std::to_string(cell.row) + ":" + std::to_string(cell.col) + ": " +
                             app::PrintableUtf8(known->GetItemText(cell.row, cell.col)) + " → " +
                             app::PrintableUtf8(grid.GetItemText(cell.row, cell.col)) + "\n";
    std::fwrite(line.data(), 1, line.size(), out);
  }
  std::fflush(out);
  return cells.empty() ? kSame : kDiffer;
}

}  // namespace nuvrel::cli
