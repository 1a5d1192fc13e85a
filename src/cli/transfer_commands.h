// SPDX-License-Identifier: MIT
// The commands of nuvrel-cli that talk to the register: send, report articles, report daily, logo.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/options.h"
#include "grid/types.h"
#include "sheets/sheet_id.h"

namespace nuvrel::cli {

class Session;

struct SendArgs {
  sheets::SheetId sheet = sheets::SheetId::Articles;
  std::string file;
  std::vector<grid::CellRange> select;  // empty: the whole sheet
  int fromRow = 1;                      // --from-row: rows before it are not sent
  bool changed = false;                 // --changed: only what differs from the register
};

struct ReportArgs {
  bool daily = false;
  std::string out;
  std::optional<std::string> departments;  // daily only
};

struct LogoArgs {
  std::string bitmap;
};

Parsed<SendArgs> ParseSendArgs(const std::vector<std::string>& words);
Parsed<ReportArgs> ParseReportArgs(const std::vector<std::string>& words);
Parsed<LogoArgs> ParseLogoArgs(const std::vector<std::string>& words);

int RunSend(Session& session, const SendArgs& args);
int RunReport(Session& session, const ReportArgs& args);
int RunLogo(Session& session, const LogoArgs& args);

}  // namespace nuvrel::cli
