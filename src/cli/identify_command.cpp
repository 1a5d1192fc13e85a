// SPDX-License-Identifier: MIT
#include "cli/identify_command.h"

#include "app/code_page.h"
#include "app/strings.h"
#include "cli/cli.h"
#include "cli/session.h"
#include "link/identify.h"

namespace nuvrel::cli {
namespace {

void PrintField(std::FILE* out, app::Sid label, const std::string& value) {
  std::string line(app::Text(label));
  if (!line.empty() && line.back() != ' ') line += ' ';
  line += value;
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), out);
}

}  // namespace

int RunIdentify(Session& session, std::FILE* out) {
  if (!link::IdentifyOnPort(session.Ports(), session.ComPortIndex(), session.Clock(), session.Ui(),
                            session.Identity())) {
    return kFailed;
  }
  const auto& identity = session.Identity();
  PrintField(out, app::Sid::SerialNumberLabel, link::DeviceDigits(identity.deviceNumber));
  // The register's own text: what it sends is not left to drive the terminal.
  PrintField(out, app::Sid::VersionLabel, app::PrintableUtf8(identity.version));
  PrintField(out, app::Sid::CountryLabel, std::string(app::Text(app::Sid::CountrySerbia)));
  std::fflush(out);
  return kCompleted;
}

}  // namespace nuvrel::cli
