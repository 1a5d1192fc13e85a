// SPDX-License-Identifier: MIT
// The manifest of `nuvrel-cli fleet`: the registers and the steps each of them takes. An INI file:
//
//   [do]                                   the steps, one a line, in order
//   send articles articles.txt
//   report articles reports/{name}-articles.txt
//   report daily reports/{name}-daily.txt --departments reports/{name}-departments.txt
//   logo logo.bmp
//
//   [shop-1]                               one section per register
//   name = Main street                     shown and put into {name} (default: the section's name)
//   port = rfc2217+tls://10.0.0.5:4001     its port: a device path or a network address
//
// Steps take the words of the commands of the same name; a word with blanks goes in double
// quotes. Relative paths are taken from the manifest's folder. Lines starting with ';' or '#'
// are comments.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/transfer_commands.h"

namespace nuvrel::cli {

struct FleetStep {
  std::string text;  // the step as written, for the display
  std::variant<SendArgs, ReportArgs, LogoArgs> args;
};

struct FleetRegister {
  std::string section;
  std::string name;
  std::string port;
};

struct FleetManifest {
  std::vector<FleetRegister> registers;
  std::vector<FleetStep> steps;
};

struct ManifestParse {
  std::optional<FleetManifest> manifest;
  std::string error;  // "LINE: what is wrong", or what is missing
};

// The manifest in text; relative paths are made relative to folder.
ManifestParse ParseManifest(std::string_view text, const std::string& folder);

// Reads and parses the manifest file (at most 1 MiB).
ManifestParse ReadManifest(const std::string& path);

// The text with every "{name}" replaced by the register's name, made safe for a file name (only
// letters, digits, '.', '-' and '_'; anything else becomes '_').
std::string ForRegister(std::string_view pattern, const FleetRegister& reg);

}  // namespace nuvrel::cli
