// SPDX-License-Identifier: MIT
// The settings file: locating it, reading it with a size bound, replacing it atomically.
#include "app/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <limits>
#include <optional>
#include <utility>

#include "app/file_io.h"
#include "app/file_replace.h"
#include "app/ini_document.h"

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
  FileContents file = ReadWholeFile(path, SettingsFile::kMaxFileSize);
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

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
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

std::string ExecutableFolder() {
  std::string path(1024, '\0');
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length < 0) {
      return ".";
    }
    if (static_cast<std::size_t>(length) < path.size()) {
      path.resize(static_cast<std::size_t>(length));
      return FolderOf(path);
    }
    if (path.size() >= 65536) {
      return ".";
    }
    path.resize(path.size() * 2);
  }
}

std::optional<std::string> ConfigHome() {
  // Relative values are ignored, as the XDG base-directory rules ask.
  std::string folder;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  if (xdg != nullptr && xdg[0] == '/') {
    folder = xdg;
  } else if (home != nullptr && home[0] != '\0') {
    folder = std::string(home) + "/.config";
  } else {
    return std::nullopt;
  }
  while (folder.size() > 1 && folder.back() == '/') {
    folder.pop_back();
  }
  return folder;
}

bool MakeFolder(const std::string& folder) {
  return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

// Writes text to path through a temporary file in the same folder, so a reader sees either the
// old file or the new one and a crash never leaves half a file behind.
bool Replace(const std::string& path, std::string_view text) {
  // One missing folder level is made (".../Nuvrel" under the config folder), and the config folder
  // itself when a fresh home lacks it; a mistyped path deeper down fails instead of growing a tree.
  const std::string folder = FolderOf(path);
  if (!MakeFolder(folder)) {
    const int error = errno;
    const auto configHome = ConfigHome();
    if (error != ENOENT || !configHome || FolderOf(folder) != *configHome) return false;
    if (!MakeFolder(*configHome) || !MakeFolder(folder)) return false;
  }
  return ReplaceFile(path, text) == ReplaceStatus::Replaced;
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
  return DefaultPathIn(ExecutableFolder(), programName);
}

std::string SettingsFile::DefaultPathIn(std::string_view exeFolder, std::string_view programName) {
  std::string folder(exeFolder);
  if (folder.empty()) {
    folder = ".";
  }
  const std::string beside =
      PathForExecutable(folder + (folder.back() == '/' ? "" : "/") + std::string(programName));
  if (::access(beside.c_str(), F_OK) == 0) {
    return beside;
  }
  const auto configHome = ConfigHome();
  if (!configHome) {
    return beside;
  }
  return *configHome + "/" + std::string(kConfigFolder) + "/" +
         beside.substr(beside.rfind('/') + 1);
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
