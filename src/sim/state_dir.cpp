// SPDX-License-Identifier: MIT
#include "sim/state_dir.h"

#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <system_error>

#include "sim/logo.h"
#include "sim/state_text.h"

namespace nuvrel::sim {
namespace {

namespace fs = std::filesystem;

constexpr std::array<TableKind, 6> kTables{TableKind::Articles,      TableKind::Operators,
                                           TableKind::Departments,   TableKind::FirmData,
                                           TableKind::Advertisement, TableKind::Logo};

// The state files are small: a full article table is some 250 kB, a logo at most 1 MiB.
constexpr std::uintmax_t kLargestFile = 8 * 1024 * 1024;

struct FileRead {
  std::optional<std::string> bytes;  // nothing when the file is missing
  std::optional<std::string> error;  // set when it is there but cannot be read
};

FileRead ReadFile(const std::string& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return {};
  if (ec) return {std::nullopt, "cannot look at it: " + ec.message()};
  if (status.type() != fs::file_type::regular) return {std::nullopt, "not a regular file"};
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec) return {std::nullopt, "cannot look at it: " + ec.message()};
  if (size > kLargestFile) return {std::nullopt, "larger than any state file"};
  std::ifstream in(path, std::ios::binary);
  if (!in) return {std::nullopt, "cannot be opened for reading"};
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return {std::nullopt, "cannot be read"};
  return {std::move(bytes), std::nullopt};
}

}  // namespace

std::string StateDir::FilePath(TableKind table) const {
  return (fs::path(m_path) / TableFileName(table)).string();
}

std::optional<std::string> StateDir::Prepare() const {
  std::error_code ec;
  fs::create_directories(m_path, ec);
  if (ec) return "cannot make the state folder " + m_path + ": " + ec.message();
  if (!fs::is_directory(m_path, ec)) return "the state folder " + m_path + " is not a folder";
  return std::nullopt;
}

StateLoad StateDir::Load() const {
  StateLoad load;
  for (TableKind table : kTables) {
    const std::string path = FilePath(table);
    FileRead file = ReadFile(path);
    std::optional<std::string> problem = file.error;
    if (!problem && file.bytes) {
      if (table == TableKind::Logo) {
        const auto* data = reinterpret_cast<const std::uint8_t*>(file.bytes->data());
        const std::span<const std::uint8_t> bytes(data, file.bytes->size());
        problem = LogoFileProblem(bytes);
        if (!problem) load.tables.logo = link::Bytes(bytes.begin(), bytes.end());
      } else {
        problem = ReadTableText(*file.bytes, table, load.tables);
      }
    }
    if (problem) {
      load.notes.push_back("state file " + path + ": " + *problem +
                           "; the register starts with empty tables");
      load.tables = RegisterTables{};
      return load;
    }
  }
  return load;
}

std::optional<std::string> StateDir::Save(const RegisterTables& tables, TableKind table) const {
  const std::string path = FilePath(table);
  std::error_code ec;
  if (table == TableKind::Logo && !tables.logo) {
    fs::remove(path, ec);
    if (ec) return "cannot remove " + path + ": " + ec.message();
    return std::nullopt;
  }
  const std::string bytes = table == TableKind::Logo
                                ? std::string(tables.logo->begin(), tables.logo->end())
                                : TableText(tables, table);
  // Beside the file, so that the rename stays within one file system.
  const std::string temporary = (fs::path(m_path) / ("." + std::string(TableFileName(table)) +
                                                     ".tmp-" + std::to_string(::getpid())))
                                    .string();
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      fs::remove(temporary, ec);
      return "cannot write " + temporary;
    }
  }
  fs::rename(temporary, path, ec);
  if (ec) {
    std::string error = "cannot rename " + temporary + " to " + path + ": " + ec.message();
    fs::remove(temporary, ec);
    return error;
  }
  return std::nullopt;
}

}  // namespace nuvrel::sim
