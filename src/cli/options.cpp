// SPDX-License-Identifier: MIT
#include "cli/options.h"

#include <charconv>

#include "app/command_line.h"
#include "cli/cli.h"

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
         "       nuvrel-cli [OPTIONS] send SHEET FILE --changed\n"
         "       nuvrel-cli [OPTIONS] diff SHEET FILE [--device N]\n"
         "       nuvrel-cli [OPTIONS] report articles OUT\n"
         "       nuvrel-cli [OPTIONS] report daily OUT [--departments FILE]\n"
         "       nuvrel-cli [OPTIONS] logo BMP\n"
         "       nuvrel-cli [OPTIONS] check SHEET FILE [-o OUT]\n"
         "       nuvrel-cli [OPTIONS] fleet MANIFEST [--jobs N]\n"
         "       nuvrel-cli --help | --version\n"
         "\n"
         "OPTIONS  --port PORT     serial device path or network address (overrides the COM\n"
         "                         mapping): tcp://HOST:PORT, rfc2217://HOST:PORT, and with TLS\n"
         "                         tcp+tls://HOST:PORT, rfc2217+tls://HOST:PORT\n"
         "         --com N         COM1..COM4 (default: the settings file's port)\n"
         "         --settings FILE settings file to use instead of the usual one\n"
         "         --yes           answer Yes to every question\n"
         "         --trace FILE    log every byte sent and received, in hex\n"
         "         --quiet         no status line for each record sent or read\n"
         "SHEET    articles | operators | departments | firm-data | advertisement |\n"
         "         articles-report | department-report\n"
         "CELLS    ROW[-ROW][:COL[-COL]] (row 1 and column 1 are the first data row and column);\n"
         "         without :COL the whole row\n"
         "N        after --from-row: the first row to send, to finish an upload that was cut\n"
         "         short; after --device: a register's device number (default: the register\n"
         "         last recorded for SHEET)\n"
         "--changed sends only the cells that differ from what the register is known to hold\n"
         "         (recorded after each transfer); diff lists them as ROW:COL: register -> sheet\n"
         "         and exits 0 when none differ, 1 when some do, 2 when nothing is known\n"
         "MANIFEST the registers (a section each: name, port) and the steps ([do]: send, report,\n"
         "         logo lines) of a fleet; --jobs N registers at once (default 4); the fleet's\n"
         "         --trace takes {name} for one file per register\n"
         "An option's value may follow it (--port DEVICE) or be joined with '=' (--port=DEVICE).\n"
         "\n"
         "Ctrl+C stops a transfer between records; the upload is closed as usual (exit status "
         "130).\n";
}

int UsageError(std::FILE* err, const std::string& error) {
  std::fprintf(err, "nuvrel-cli: %s\n%s", error.c_str(), UsageText());
  return kUsage;
}

ParseResult ParseOptions(const std::vector<std::string>& args) {
  // The options of the commands are known here too, so that both spellings and an unknown option
  // are handled alike wherever they stand; they go back to the command in the form "--name value".
  static constexpr app::KnownOption kKnown[] = {
      {"--help"},
      {"-h"},
      {"--version"},
      {"--yes"},
      {"--quiet"},
      {"-q"},
      {"--port", true},
      {"--com", true},
      {"--settings", true},
      {"--trace", true},
      {"--select", true},
      {"--from-row", true},
      {"--departments", true},
      {"--changed"},
      {"--device", true},
      {"--jobs", true},
      {"-o", true},
  };
  ParseResult result;
  app::SplitCommandLine split = app::SplitArgs(args, kKnown);
  if (!split.error.empty()) {
    result.error = std::move(split.error);
    return result;
  }
  Options options;
  options.command = std::move(split.operands);
  for (app::GivenOption& given : split.options) {
    const std::string_view name = given.name;
    if (name == "--help" || name == "-h") {
      result.help = true;
    } else if (name == "--version") {
      result.version = true;
    } else if (name == "--yes") {
      options.yes = true;
    } else if (name == "--quiet" || name == "-q") {
      options.quiet = true;
    } else if (name == "--port") {
      options.port = std::move(given.value);
    } else if (name == "--settings") {
      options.settings = std::move(given.value);
    } else if (name == "--trace") {
      options.trace = std::move(given.value);
    } else if (name == "--com") {
      options.com = ParseComNumber(given.value);
      if (!options.com) {
        result.error = "--com takes a port number such as 1 or COM1, not '" + given.value + "'";
        return result;
      }
    } else if (name == "--changed") {
      options.command.emplace_back(name);
    } else {
      options.command.emplace_back(name);
      options.command.push_back(std::move(given.value));
    }
  }
  if (result.help || result.version) return result;
  if (options.command.empty()) {
    result.error = "no command given";
    return result;
  }
  result.options = std::move(options);
  return result;
}

}  // namespace nuvrel::cli
