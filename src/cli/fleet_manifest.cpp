// SPDX-License-Identifier: MIT
#include "cli/fleet_manifest.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "app/file_io.h"
#include "app/trim.h"
#include "app/utf8_path.h"

namespace nuvrel::cli {
namespace {

constexpr std::size_t kManifestLimit = std::size_t{1} << 20;

// A manifest written on Windows ends its lines in CR LF.
constexpr std::string_view kLineBlanks = " \t\r";

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// The words of a step; false when a quote is not closed.
bool SplitWords(std::string_view line, std::vector<std::string>& words) {
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    std::string word;
    if (line[i] == '"') {
      const auto close = line.find('"', i + 1);
      if (close == std::string_view::npos) return false;
      word = line.substr(i + 1, close - i - 1);
      i = close + 1;
    } else {
      const auto end = line.find_first_of(" \t", i);
      word = line.substr(i, end == std::string_view::npos ? std::string_view::npos : end - i);
      i = end == std::string_view::npos ? line.size() : end;
    }
    words.push_back(std::move(word));
  }
  return true;
}

std::string Resolve(const std::string& folder, const std::string& path) {
  if (path.empty() || path == "-" || folder.empty() || app::Utf8Path(path).has_root_path()) {
    return path;
  }
  if (app::kPathSeparators.find(folder.back()) != std::string_view::npos) return folder + path;
  return folder + app::kPathSeparators.front() + path;
}

// The step's arguments with their paths taken from the manifest's folder; the error text, if any.
std::string ParseStep(const std::vector<std::string>& words, const std::string& folder,
                      FleetStep& step) {
  const std::string& command = words.front();
  const std::vector<std::string> rest(words.begin() + 1, words.end());
  if (command == "send") {
    auto parsed = ParseSendArgs(rest);
    if (!parsed.args) return parsed.error;
    parsed.args->file = Resolve(folder, parsed.args->file);
    step.args = std::move(*parsed.args);
  } else if (command == "report") {
    auto parsed = ParseReportArgs(rest);
    if (!parsed.args) return parsed.error;
    parsed.args->out = Resolve(folder, parsed.args->out);
    if (parsed.args->departments) {
      parsed.args->departments = Resolve(folder, *parsed.args->departments);
    }
    step.args = std::move(*parsed.args);
  } else if (command == "logo") {
    auto parsed = ParseLogoArgs(rest);
    if (!parsed.args) return parsed.error;
    parsed.args->bitmap = Resolve(folder, parsed.args->bitmap);
    step.args = std::move(*parsed.args);
  } else {
    return "a step is send, report or logo, not '" + command + "'";
  }
  return {};
}

}  // namespace

ManifestParse ParseManifest(std::string_view text, const std::string& folder) {
  ManifestParse result;
  FleetManifest manifest;
  std::string section;
  bool inDo = false;
  bool sawDo = false;
  std::size_t lineNumber = 0;
  auto fail = [&](const std::string& what) {
    result.error = std::to_string(lineNumber) + ": " + what;
    return result;
  };
  while (!text.empty()) {
    ++lineNumber;
    const auto end = text.find('\n');
    const std::string_view line = app::Trim(text.substr(0, end), kLineBlanks);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      if (line.back() != ']') return fail("a section header ends with ']'");
      section = std::string(app::Trim(line.substr(1, line.size() - 2)));
      inDo = Lower(section) == "do";
      if (inDo) {
        if (sawDo) return fail("a second [do] section");
        sawDo = true;
        continue;
      }
      if (section.empty()) return fail("a register's section needs a name");
      for (const FleetRegister& reg : manifest.registers) {
        if (Lower(reg.section) == Lower(section)) return fail("a second [" + section + "]");
      }
      manifest.registers.push_back({section, section, {}});
      continue;
    }
    if (inDo) {
      std::vector<std::string> words;
      if (!SplitWords(line, words)) return fail("a quote is not closed");
      FleetStep step{std::string(line), {}};
      if (const std::string error = ParseStep(words, folder, step); !error.empty()) {
        return fail(error);
      }
      manifest.steps.push_back(std::move(step));
      continue;
    }
    if (section.empty()) return fail("a key outside any section");
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) return fail("a register's line is KEY = VALUE");
    const std::string key = Lower(app::Trim(line.substr(0, equals)));
    const std::string value(app::Trim(line.substr(equals + 1)));
    FleetRegister& reg = manifest.registers.back();
    if (key == "name") {
      reg.name = value;
    } else if (key == "port") {
      reg.port = value;
    } else {
      return fail("a register has a name and a port, not '" + key + "'");
    }
  }
  if (manifest.steps.empty()) result.error = "no steps: list them in a [do] section";
  if (manifest.registers.empty()) result.error = "no registers: give each a section";
  for (const FleetRegister& reg : manifest.registers) {
    if (reg.port.empty()) result.error = "[" + reg.section + "] has no port";
  }
  if (!result.error.empty()) return result;
  result.manifest = std::move(manifest);
  return result;
}

ManifestParse ReadManifest(const std::string& path) {
  std::ifstream file(app::Utf8Path(path), std::ios::binary);
  if (!file) return {std::nullopt, "cannot open " + path + ": " + std::strerror(errno)};
  std::string text;
  text.resize(kManifestLimit + 1);
  file.read(text.data(), static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(file.gcount()));
  if (text.size() > kManifestLimit) return {std::nullopt, path + " is larger than 1 MiB"};
  const bool inFolder = path.find_first_of(app::kPathSeparators) != std::string::npos;
  const std::string folder = inFolder ? app::FolderOf(path) : "";
  ManifestParse parsed = ParseManifest(text, folder);
  if (!parsed.manifest) parsed.error = path + ": " + parsed.error;
  return parsed;
}

std::string ForRegister(std::string_view pattern, const FleetRegister& reg) {
  std::string safe = reg.name;
  for (char& c : safe) {
    const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      c == '.' || c == '-' || c == '_';
    if (!keep) c = '_';
  }
  // A name of dots alone would lead out of the folder.
  if (safe.find_first_not_of('.') == std::string::npos) safe.insert(0, "_");
  std::string out;
  constexpr std::string_view kName = "{name}";
  std::size_t i = 0;
  for (auto at = pattern.find(kName); at != std::string_view::npos; at = pattern.find(kName, i)) {
    out.append(pattern.substr(i, at - i));
    out += safe;
    i = at + kName.size();
  }
  out.append(pattern.substr(i));
  return out;
}

}  // namespace nuvrel::cli
