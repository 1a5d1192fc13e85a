// SPDX-License-Identifier: MIT
#include "cli/options.h"

#include <charconv>

namespace nuvrel::cli {
namespace {

std::optional<int> ParseComNumber(std::string text) {
  if (text.size() > 3 && (text.compare(0, 3, "COM") == 0 || text.compare(0, 3, "com") == 0)) {
    text.erase(0, 3);
  }
  int value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  auto [end, ec] = std::from_chars(first, last, value);
  if (text.empty() || ec != std::errc() || end != last || value < 0 || value > 0xFFFF) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

const char* UsageText() {
  return "usage: nuvrel-cli [OPTIONS] identify\n"
         "       nuvrel-cli [OPTIONS] send SHEET FILE [--select CELLS]... [--from-row N]\n"
         "       nuvrel-cli [OPTIONS] report articles OUT\n"
         "       nuvrel-cli [OPTIONS] report daily OUT [--departments FILE]\n"
         "       nuvrel-cli [OPTIONS] logo BMP\n"
         "       nuvrel-cli [OPTIONS] check SHEET FILE [-o OUT]\n"
         "\n"
         "OPTIONS  --port DEVICE   serial device path (overrides the COM mapping)\n"
         "         --com N         COM1..COM4 (default: the settings file's port)\n"
         "         --settings FILE settings file to use instead of the one beside the program\n"
         "         --yes           answer Yes to every question\n"
         "         --trace FILE    log every byte sent and received, in hex\n"
         "         --quiet         no status line for each record sent or read\n"
         "SHEET    articles | operators | departments | firm-data | advertisement |\n"
         "         articles-report | department-report\n"
         "CELLS    ROW[-ROW][:COL[-COL]] (row 1 and column 1 are the first data row and column);\n"
         "         without :COL the whole row\n"
         "N        the first row to send, to finish an upload that was cut short\n"
         "\n"
         "Ctrl+C stops a transfer between records; the upload is closed as usual (exit status "
         "130).\n";
}

ParseResult ParseOptions(const std::vector<std::string>& args) {
  ParseResult result;
  Options options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        result.error = "option " + arg + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::string text;
    if (arg == "--help" || arg == "-h") {
      result.help = true;
      return result;
    } else if (arg == "--yes") {
      options.yes = true;
    } else if (arg == "--quiet" || arg == "-q") {
      options.quiet = true;
    } else if (arg == "--port") {
      if (!value(text)) return result;
      options.port = text;
    } else if (arg == "--settings") {
      if (!value(text)) return result;
      options.settings = text;
    } else if (arg == "--trace") {
      if (!value(text)) return result;
      options.trace = text;
    } else if (arg == "--com") {
      if (!value(text)) return result;
      options.com = ParseComNumber(text);
      if (!options.com) {
        result.error = "--com takes a port number such as 1 or COM1, not '" + text + "'";
        return result;
      }
    } else {
      options.command.push_back(arg);
    }
  }
  if (options.command.empty()) {
    result.error = "no command given";
    return result;
  }
  result.options = std::move(options);
  return result;
}

}  // namespace nuvrel::cli
