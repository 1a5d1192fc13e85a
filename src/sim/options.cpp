// SPDX-License-Identifier: MIT
#include "sim/options.h"

#include <charconv>

#include "app/command_line.h"
#include "link/frames.h"

namespace nuvrel::sim {
namespace {

// The version line must stay below the PC's 1024-byte limit: 12 bytes before the text, 4 after.
constexpr std::size_t kLongestFirmware = link::kVersionLineLimit - 1 - 12 - 4;
constexpr std::uint32_t kHighestBaud = 4000000;

std::optional<std::uint32_t> Number(std::string_view text, std::uint32_t highest) {
  std::uint32_t value = 0;
  const char* end = text.data() + text.size();
  auto [stop, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || stop != end || value > highest) return std::nullopt;
  return value;
}

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

OptionsParse ParseOptions(std::span<const std::string> args) {
  static constexpr app::KnownOption kKnown[] = {
      {"--help"},          {"-h"},
      {"--version"},       {"--serial", true},
      {"--country", true}, {"--firmware", true},
      {"--link", true},    {"--trace", true},
      {"--baud", true},    {"--fault", true},
      {"--state", true},   {"--listen", true},
  };
  OptionsParse result;
  Options& options = result.options;
  auto fail = [&result](std::string text) {
    result.error = std::move(text);
    return result;
  };

  const app::SplitCommandLine split = app::SplitArgs(args, kKnown);
  if (!split.error.empty()) return fail(split.error);
  if (!split.operands.empty()) return fail("unexpected argument '" + split.operands.front() + "'");

  for (const app::GivenOption& given : split.options) {
    const std::string_view name = given.name;
    const std::string_view value = given.value;
    if (name == "--help" || name == "-h") {
      options.help = true;
    } else if (name == "--version") {
      options.version = true;
    } else if (name == "--serial") {
      const auto n = Number(value, link::kLargestDeviceNumber);
      if (!n)
        return fail("--serial takes a device number from 0 to 999999, not '" + std::string(value) +
                    "'");
      options.serial = *n;
    } else if (name == "--country") {
      if (value.size() != 1 || !IsLetter(value[0])) {
        return fail("--country takes one letter, not '" + std::string(value) + "'");
      }
      options.country = value[0];
    } else if (name == "--firmware") {
      if (value.size() > kLongestFirmware || value.find('\n') != std::string_view::npos) {
        return fail("--firmware takes one line of at most " + std::to_string(kLongestFirmware) +
                    " bytes");
      }
      options.firmware = std::string(value);
    } else if (name == "--link") {
      if (value.empty()) return fail("--link needs a path");
      options.linkPath = std::string(value);
    } else if (name == "--listen") {
      if (value.empty()) return fail("--listen needs HOST:PORT");
      options.listen = std::string(value);
    } else if (name == "--trace") {
      if (value.empty()) return fail("--trace needs a path");
      options.tracePath = std::string(value);
    } else if (name == "--state") {
      if (value.empty()) return fail("--state needs a folder");
      options.statePath = std::string(value);
    } else if (name == "--baud") {
      const auto n = Number(value, kHighestBaud);
      if (!n)
        return fail("--baud takes a rate from 0 to 4000000, not '" + std::string(value) + "'");
      options.baud = *n;
    } else {  // --fault
      FaultParse parsed = ParseFaultSpec(value);
      if (!parsed.fault) return fail("--fault: " + parsed.error);
      options.faults.push_back(*parsed.fault);
    }
  }
  if (options.listen && options.linkPath)
    return fail("--link goes with a pseudo-terminal, not --listen");
  return result;
}

std::string_view UsageText() {
  return "usage: ecrsim [--serial N] [--country C] [--firmware TEXT] [--link PATH] [--trace FILE]\n"
         "              [--state DIR] [--baud N] [--listen HOST:PORT] [--fault KIND[@N[:P]]]...\n"
         "       ecrsim --help | --version\n"
         "A simulated cash register on a pseudo-terminal: prints the slave's name, answers on it.\n"
         "  --serial N      device number, 0..999999 (default 123456)\n"
         "  --country C     country letter (default S)\n"
         "  --firmware TEXT the register's version text in its version line (default NV-2.21)\n"
         "  --link PATH     make PATH a symlink to the slave while running\n"
         "  --trace FILE    log every block received (RX) and sent (TX)\n"
         "  --state DIR     keep the programmed tables and the logo in DIR across runs\n"
         "  --listen HOST:PORT  answer on TCP (raw bytes, one connection at a time) instead of a\n"
         "                  pseudo-terminal; port 0 takes a free one; prints tcp://HOST:PORT\n"
         "  --baud N        model a line of N baud, 10 bits per byte, both ways (default 0: none)\n"
         "  --fault KIND[@N[:P]]\n"
         "                  bend the reply to frame N (frames from the PC counted from 1);\n"
         "                  P picks the frame of the reply (1 = the first, 2 = the next),\n"
         "                  for the report kinds the line of the report\n"
         "                  KIND: nak nak-partial crc wrong-device silence partial garbage\n"
         "                  zero-device bad-digits foreign-country long-line bad-ack hangup\n"
         "                  long-report-line report-stops no-group-nine report-noise\n"
         "An option's value may follow it (--serial 42) or be joined with '=' (--serial=42).\n";
}

}  // namespace nuvrel::sim
