// SPDX-License-Identifier: MIT
// Writing a file so that a failure never damages the old one. A regular file gets its new bytes in
// a temporary file beside it, flushed, then renamed over it, keeping its owner, group and mode
// where the process may set them. What is not a regular file is never replaced: a terminal, a
// character device or a FIFO is written in place, and standard output ("-" or any of its names)
// gets the bytes where it already goes; a
// block device, a socket or a folder is refused. A regular file with more than one name (a hard
// link) is written in place, once its new bytes are safely in a temporary file, so every name
// keeps seeing it. A file the person may not write is refused, also when running as root: a file
// without any write permission is read-only for root too. On Windows (win32_file_replace.cpp) the
// new file takes the old one's place with ReplaceFileW, keeping its attributes and security; a
// character device (NUL, CON) is written in place, a read-only file refused.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/unique_fd.h"

namespace nuvrel::app {

class Ui;

enum class ReplaceStatus {
  Replaced,
  CannotCreate,  // the target may not be written, or nothing could be made beside it
  WriteFailed,   // writing, flushing or renaming failed; the old file is as it was
};

// One file's new contents, made ready but not yet in place. Going away unused removes what it made.
class PendingFile {
 public:
  PendingFile(const std::filesystem::path& path, std::string_view bytes);
  ~PendingFile();
  PendingFile(const PendingFile&) = delete;
  PendingFile& operator=(const PendingFile&) = delete;

  // Replaced when the new contents are ready to be put in place; otherwise why they are not.
  ReplaceStatus Prepared() const { return m_prepared; }
  // Puts the new contents in place.
  ReplaceStatus Commit();

 private:
  enum class Way { Rename, InPlace, Stream };

  std::string m_bytes;
  Way m_way = Way::Rename;
  std::string m_target;     // the file the bytes go to, links followed
  std::string m_temporary;  // beside it, for Rename and InPlace
  UniqueFd m_stream;        // for Stream: opened while preparing
  ReplaceStatus m_prepared = ReplaceStatus::CannotCreate;
};

// Replaces the file's contents.
ReplaceStatus ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

// Replaces the file's contents, telling the person when it fails: "Cannot create file "%s" !" or
// "Error writing to file "%s" !" with the error icon.
bool SaveFile(Ui& ui, const std::filesystem::path& path, std::string_view bytes);

struct FileContentsToSave {
  std::filesystem::path path;
  std::string bytes;
};

// Saves several files as one: each is made ready first, and none is put in place unless all are
// ready, so a file that cannot be written leaves the others as they were. The first failure is
// told as SaveFile tells it.
bool SaveFiles(Ui& ui, const std::vector<FileContentsToSave>& files);

// The descriptor of this process that the path names: "-" and /dev/stdout standard output,
// /dev/stderr standard error, /dev/fd/N and /proc/self/fd/N descriptor N; none for any other path.
// On Windows only "-" names standard output.
std::optional<int> StandardStream(const std::string& path);

}  // namespace nuvrel::app
