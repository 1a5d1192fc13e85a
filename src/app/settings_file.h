// SPDX-License-Identifier: MIT
// The settings file: an INI file under the user's config folder, or beside the program when one is
// there (portable use), read and written key by key with private-profile semantics: a missing
// file, section or key gives the caller's default, and a write keeps everything else in the file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace nuvrel::app {

class SettingsFile {
 public:
  // A file larger than this is not read (every key gives its default) and never rewritten.
  static constexpr std::size_t kMaxFileSize = std::size_t{1} << 20;
  // The program's folder under the user's config folder.
  static constexpr std::string_view kConfigFolder = "Nuvrel";

  explicit SettingsFile(std::string path);

  // The settings path for an executable: its full path with the extension (a '.' after the last
  // '/' or '\\') cut off, then ".ini". "/opt/x/prog.bin" gives "/opt/x/prog.ini".
  static std::string PathForExecutable(std::string_view exePath);

  // The settings path for programName living beside the running executable (so nuvrel-cli passes
  // "nuvrel" and shares the desktop program's file). See DefaultPathIn.
  static std::string DefaultPath(std::string_view programName);

  // The settings path for programName in exeFolder: PathForExecutable(exeFolder/programName) when
  // that file exists; otherwise the same file name in kConfigFolder under the user's config folder
  // ($XDG_CONFIG_HOME or $HOME/.config; %APPDATA% on Windows). Falls back to the file beside the
  // program when the environment names no such folder. Paths are UTF-8.
  static std::string DefaultPathIn(std::string_view exeFolder, std::string_view programName);

  const std::string& Path() const { return m_path; }

  // The key's value, or defaultValue when the file, the section or the key is missing or the file
  // cannot be read.
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view defaultValue) const;

  // The key's leading decimal number ("12abc" gives 12, no digits give 0; a '-' negates modulo
  // 2^32), or defaultValue when the key is missing or its number does not fit in 32 bits.
  unsigned GetInt(std::string_view section, std::string_view key, unsigned defaultValue) const;

  // Sets one key and replaces the file atomically (temporary file, fsync, rename), creating the
  // file and its folder (one level, and the user's config folder when that is the level above) as
  // needed. Returns false, with the old file untouched, when a
  // name or value holds CR or LF, a key is empty or holds '=', a section name holds ']', the
  // existing file cannot be read or is too large, or any step of writing fails.
  bool WriteString(std::string_view section, std::string_view key, std::string_view value);

  // WriteString with the value as signed decimal.
  bool WriteInt(std::string_view section, std::string_view key, int value);

 private:
  std::string m_path;
};

}  // namespace nuvrel::app
