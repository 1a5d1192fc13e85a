// SPDX-License-Identifier: MIT
// Whole-file reads with a size bound, and replacing a file so that a failure never damages the old
// one: the bytes go to a temporary file in the same folder, which is flushed and renamed over it.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace nuvrel::app {

enum class ReadStatus {
  Read,        // every byte
  Missing,     // no such file (or a folder on the way does not exist)
  CannotOpen,  // there, but not a readable regular file, or larger than the bound
  Failed,      // a read failed part-way; the bytes read before it are kept
};

struct FileContents {
  ReadStatus status = ReadStatus::Missing;
  std::string bytes;
};

// Reads a regular file of at most maxSize bytes. A FIFO or a device never blocks the call.
FileContents ReadWholeFile(const std::filesystem::path& path, std::size_t maxSize);

enum class ReplaceStatus {
  Replaced,
  CannotCreate,  // no temporary file could be made beside the target, or the target is read-only
  WriteFailed,   // writing, flushing or renaming failed; the old file is as it was
};

// Replaces the file's contents. A symbolic link is followed (the link stays), an existing file's
// permission bits are kept, and a write beyond the file-size limit comes back as WriteFailed.
ReplaceStatus ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

class Ui;

// ReplaceFile, telling the person when it fails: "Cannot create file "%s" !" or "Error writing to
// file "%s" !" with the error icon.
bool SaveFile(Ui& ui, const std::filesystem::path& path, std::string_view bytes);

// The folder part of a path: "." without one, "/" for a file in the root.
std::string FolderOf(const std::string& path);

}  // namespace nuvrel::app
