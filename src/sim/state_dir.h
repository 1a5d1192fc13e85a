// SPDX-License-Identifier: MIT
// The folder that keeps the register's tables across runs (--state DIR): read once at start, one
// file written after each change. Every file is written beside its place under a temporary name and
// renamed over it, so a reader (or a crash) never sees half a file. The files' text is
// state_text.h's.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "sim/register_tables.h"

namespace nuvrel::sim {

struct StateLoad {
  RegisterTables tables;           // empty when any file was unreadable or corrupt
  std::vector<std::string> notes;  // what was wrong, one line each
};

class StateDir {
 public:
  explicit StateDir(std::string path) : m_path(std::move(path)) {}

  // Creates the folder (and its parents) when missing; why it cannot, or nothing.
  std::optional<std::string> Prepare() const;

  // Reads every table's file; a missing file is an empty table. A file that cannot be read or does
  // not read as its table empties the whole state, with a note saying which and why.
  StateLoad Load() const;

  // Writes the file of one table (for the logo: logo.bmp; removed when there is none). Why it
  // could not, or nothing; the old file stays then.
  std::optional<std::string> Save(const RegisterTables& tables, TableKind table) const;

  const std::string& Path() const { return m_path; }

 private:
  std::string FilePath(TableKind table) const;

  std::string m_path;
};

}  // namespace nuvrel::sim
