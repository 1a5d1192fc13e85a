// SPDX-License-Identifier: MIT
#include "cli/cli.h"

#include "app/version.h"
#include "cli/check_command.h"
#include "cli/diff_command.h"
#include "cli/fleet_command.h"
#include "cli/identify_command.h"
#include "cli/interrupt.h"
#include "cli/options.h"
#include "cli/session.h"
#include "cli/transfer_commands.h"

namespace nuvrel::cli {
namespace {

template <class Args, class Run>
int ParseAndRun(const Parsed<Args>& parsed, Run run, const Options& options, std::FILE* out,
                std::FILE* err, std::FILE* in) {
  if (!parsed.args) return UsageError(err, parsed.error);
  Session session(options, out, err, in);
  if (!session.Ready()) return kFailed;
  return run(session, *parsed.args);
}

int RunTransferCommand(const std::string& command, const std::vector<std::string>& words,
                       const Options& options, std::FILE* out, std::FILE* err, std::FILE* in) {
  const InterruptCatcher catcher;
  int status = kFailed;
  if (command == "send") {
    status = ParseAndRun(ParseSendArgs(words), RunSend, options, out, err, in);
  } else if (command == "report") {
    status = ParseAndRun(ParseReportArgs(words), RunReport, options, out, err, in);
  } else {
    status = ParseAndRun(ParseLogoArgs(words), RunLogo, options, out, err, in);
  }
  // A transfer that Ctrl+C stopped ends as an interrupted program does; one that finished before
  // it could stop has done its work.
  return status == kFailed && Interrupted() ? kInterrupted : status;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, std::FILE* in) {
  const ParseResult parsed = ParseOptions(args);
  if (parsed.help) {
    std::fputs(UsageText(), out);
    return kCompleted;
  }
  if (parsed.version) {
    std::fprintf(out, "nuvrel-cli %s\n", NUVREL_VERSION);
    return kCompleted;
  }
  if (!parsed.options) return UsageError(err, parsed.error);
  const Options& options = *parsed.options;
  const std::string& command = options.command.front();
  const std::vector<std::string> words(options.command.begin() + 1, options.command.end());

  if (command == "check") {
    const auto run = [&](Session& session, const CheckArgs& check) {
      return RunCheck(session, check, out, err);
    };
    return ParseAndRun(ParseCheckArgs(words), run, options, out, err, in);
  }
  if (command == "diff") {
    const auto run = [&](Session& session, const DiffArgs& diff) {
      return RunDiff(session, diff, out);
    };
    return ParseAndRun(ParseDiffArgs(words), run, options, out, err, in);
  }
  if (command == "fleet") return RunFleetCommand(words, options, out, err);

  if (command == "send" || command == "report" || command == "logo") {
    return RunTransferCommand(command, words, options, out, err, in);
  }

  if (command != "identify") return UsageError(err, "unknown command '" + command + "'");
  if (!words.empty()) return UsageError(err, "identify takes no arguments");

  Session session(options, out, err, in);
  if (!session.Ready()) return kFailed;
  return RunIdentify(session, out);
}

}  // namespace nuvrel::cli
