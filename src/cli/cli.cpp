// SPDX-License-Identifier: MIT
#include "cli/cli.h"

#include "cli/check_command.h"
#include "cli/identify_command.h"
#include "cli/options.h"
#include "cli/session.h"

namespace nuvrel::cli {

int RunCli(const std::vector<std::string>& args, std::FILE* out, std::FILE* err, std::FILE* in) {
  const ParseResult parsed = ParseOptions(args);
  if (parsed.help) {
    std::fputs(UsageText(), out);
    return kCompleted;
  }
  if (!parsed.options) {
    std::fprintf(err, "nuvrel-cli: %s\n%s", parsed.error.c_str(), UsageText());
    return kUsage;
  }
  const Options& options = *parsed.options;
  const std::string& command = options.command.front();
  const std::vector<std::string> words(options.command.begin() + 1, options.command.end());

  if (command == "check") {
    const CheckParse check = ParseCheckArgs(words);
    if (!check.args) {
      std::fprintf(err, "nuvrel-cli: %s\n%s", check.error.c_str(), UsageText());
      return kUsage;
    }
    Session session(options, out, err, in);
    if (!session.Ready()) return kFailed;
    return RunCheck(session, *check.args, out, err);
  }

  if (command != "identify" || !words.empty()) {
    std::fprintf(err, "nuvrel-cli: unknown command '%s'\n%s", command.c_str(), UsageText());
    return kUsage;
  }

  Session session(options, out, err, in);
  if (!session.Ready()) return kFailed;
  return RunIdentify(session, out);
}

}  // namespace nuvrel::cli
