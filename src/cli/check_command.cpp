// SPDX-License-Identifier: MIT
#include "cli/check_command.h"

#include "app/utf8_path.h"
#include "cli/cli.h"
#include "cli/session.h"
#include "sheets/sheet_file.h"
#include "sheets/workspace.h"
#include "transfers/validation.h"

namespace nuvrel::cli {

Parsed<CheckArgs> ParseCheckArgs(const std::vector<std::string>& words) {
  Parsed<CheckArgs> result;
  std::vector<std::string> positional;
  std::optional<std::string> out;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "-o") {
      if (i + 1 >= words.size()) {
        result.error = "option -o needs a value";
        return result;
      }
      out = words[++i];
    } else if (word.size() > 1 && word[0] == '-') {
      result.error = "check: unknown option '" + word + "'";
      return result;
    } else {
      positional.push_back(word);
    }
  }
  if (positional.empty()) {
    result.error = "check needs a SHEET and a FILE";
    return result;
  }
  const auto sheet = sheets::SheetByCliName(positional[0]);
  if (!sheet) {
    result.error = "unknown sheet '" + positional[0] + "'";
    return result;
  }
  if (positional.size() != 2) {
    result.error = positional.size() < 2 ? "check needs a FILE to read" : "check takes one FILE";
    return result;
  }
  result.args = CheckArgs{*sheet, positional[1], std::move(out)};
  return result;
}

int RunCheck(Session& session, const CheckArgs& args, std::FILE* out, std::FILE* err) {
  sheets::Workspace workspace;
  grid::CellTable& grid = workspace.Grid(args.sheet);
  app::Ui& ui = session.Ui();

  if (!sheets::SheetTextReader(grid).ReadSheetFile(app::Utf8Path(args.file), ui)) return kFailed;

  if (args.out) {
    if (!sheets::SheetTextWriter(grid).WriteSheetFile(app::Utf8Path(*args.out), ui)) return kFailed;
  } else {
    const std::string text = sheets::SheetText(grid);
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    if (std::fflush(out) != 0 || !written) {
      std::fputs("nuvrel-cli: cannot write the sheet to standard output\n", err);
      return kFailed;
    }
  }

  return transfers::ValidateSheet(args.sheet, grid, ui) ? kCompleted : kFailed;
}

}  // namespace nuvrel::cli
