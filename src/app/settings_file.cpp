// SPDX-License-Identifier: MIT
// The settings file: locating it, reading it with a size bound, replacing it atomically.
#include "app/settings_file.h"

#include <filesystem>
#include <limits>
#include <optional>
#include <system_error>
#include <utility>

#include "app/config_folder.h"
#include "app/file_io.h"
#include "app/file_replace.h"
#include "app/ini_document.h"
#include "app/program_files.h"
#include "app/trim.h"
#include "app/utf8_path.h"

namespace nuvrel::app {
namespace {

// Reads the file; nothing when it is missing, and an error when it is there but cannot be read
// (rewriting a file we could not read would lose whatever it holds).
struct Loaded {
  bool present = false;
  bool readable = true;
  std::string text;
};

Loaded Load(const std::string& path) {
  FileContents file = ReadWholeFile(Utf8Path(path), SettingsFile::kMaxFileSize);
  switch (file.status) {
    case ReadStatus::Read: return {true, true, std::move(file.bytes)};
    case ReadStatus::Missing: return {false, true, {}};
    case ReadStatus::CannotOpen:
    case ReadStatus::Failed: break;
  }
  return {true, false, {}};
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Whether section, key and value can be written as "[section]" and "key=value" lines that read
// back as the same names and value.
bool CanWrite(std::string_view section, std::string_view key, std::string_view value) {
  constexpr std::string_view kLineBreaks = "\r\n";
  if (section.find_first_of(kLineBreaks) != std::string_view::npos ||
      key.find_first_of(kLineBreaks) != std::string_view::npos ||
      value.find_first_of(kLineBreaks) != std::string_view::npos) {
    return false;
  }
  if (section.find(']') != std::string_view::npos) {
    return false;
  }
  const std::string_view name = Trim(key);
  return !name.empty() && name.find('=') == std::string_view::npos && name.front() != '[' &&
         name.front() != ';';
}

// The leading decimal number of text, read the way the private-profile integer call reads it.
std::optional<unsigned> LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) {
    ++i;
  }
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // A number too long for 32 bits is no number the program wrote: it reads as missing.
  unsigned value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const unsigned digit = static_cast<unsigned>(text[i] - '0');
    if (value > (std::numeric_limits<unsigned>::max() - digit) / 10u) return std::nullopt;
    value = value * 10u + digit;
  }
  return negative ? 0u - value : value;
}

// Makes the folder (owner only) unless it is there; the error of a failed creation in error.
bool MakeFolder(const std::string& folder, std::error_code& error) {
  const std::filesystem::path path = Utf8Path(folder);
  if (!std::filesystem::create_directory(path, error)) return !error;
  std::error_code ignored;
  std::filesystem::permissions(path, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::replace, ignored);
  return true;
}

// Writes text to path through a temporary file in the same folder, so a reader sees either the
// old file or the new one and a crash never leaves half a file behind.
bool Replace(const std::string& path, std::string_view text) {
  // One missing folder level is made (".../Nuvrel" under the config folder), and the config folder
  // itself when a fresh home lacks it; a mistyped path deeper down fails instead of growing a tree.
  const std::string folder = FolderOf(path);
  std::error_code error;
  if (!MakeFolder(folder, error)) {
    const auto configHome = UserConfigFolder();
    if (error != std::errc::no_such_file_or_directory || !configHome ||
        FolderOf(folder) != *configHome) {
      return false;
    }
    if (!MakeFolder(*configHome, error) || !MakeFolder(folder, error)) return false;
  }
  return ReplaceFile(Utf8Path(path), text) == ReplaceStatus::Replaced;
}

}  // namespace

SettingsFile::SettingsFile(std::string path) : m_path(std::move(path)) {}

std::string SettingsFile::PathForExecutable(std::string_view exePath) {
  const std::size_t dot = exePath.rfind('.');
  const std::size_t separator = exePath.find_last_of("/\\");
  std::string path(exePath);
  if (dot != std::string_view::npos && (separator == std::string_view::npos || dot > separator)) {
    path.resize(dot);
  }
  return path + ".ini";
}

std::string SettingsFile::DefaultPath(std::string_view programName) {
  return DefaultPathIn(ProgramFolder(), programName);
}

std::string SettingsFile::DefaultPathIn(std::string_view exeFolder, std::string_view programName) {
  const std::filesystem::path folder = Utf8Path(exeFolder.empty() ? "." : exeFolder);
  const std::filesystem::path beside =
      Utf8Path(PathForExecutable(PathText(folder / Utf8Path(programName))));
  std::error_code error;
  if (std::filesystem::exists(beside, error)) {
    return PathText(beside);
  }
  const auto configHome = UserConfigFolder();
  if (!configHome) {
    return PathText(beside);
  }
  return PathText(Utf8Path(*configHome) / Utf8Path(kConfigFolder) / beside.filename());
}

std::string SettingsFile::GetString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  const Loaded file = Load(m_path);
  if (!file.present || !file.readable) {
    return std::string(defaultValue);
  }
  return IniDocument::Parse(file.text).Get(section, key).value_or(std::string(defaultValue));
}

unsigned SettingsFile::GetInt(std::string_view section, std::string_view key,
                              unsigned defaultValue) const {
  const Loaded file = Load(m_path);
  if (!file.present || !file.readable) {
    return defaultValue;
  }
  const auto value = IniDocument::Parse(file.text).Get(section, key);
  return value ? LeadingNumber(*value).value_or(defaultValue) : defaultValue;
}

bool SettingsFile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
  if (!CanWrite(section, key, value)) {
    return false;
  }
  const Loaded file = Load(m_path);
  if (!file.readable) {
    return false;
  }
  IniDocument document = file.present ? IniDocument::Parse(file.text) : IniDocument();
  document.Set(section, key, value);
  return Replace(m_path, document.Text());
}

bool SettingsFile::WriteInt(std::string_view section, std::string_view key, int value) {
  return WriteString(section, key, std::to_string(value));
}

}  // namespace nuvrel::app
