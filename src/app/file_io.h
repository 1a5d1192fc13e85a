// SPDX-License-Identifier: MIT
// Whole-file reads with a size bound, always as bytes. Writing files is in file_replace.h.
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

// Zero when the file may be opened for reading, else the errno value that tells why not.
int ReadPermissionError(const std::filesystem::path& path);

// The folder part of a path (UTF-8): "." without one, the root ("/", or "C:\" on Windows) for a
// file in the root. Windows takes both separators.
std::string FolderOf(const std::string& path);

}  // namespace nuvrel::app
