// SPDX-License-Identifier: MIT
// What each register holds, as far as Nuvrel has sent it or read it: per register (its device
// number) and per sheet, a short history of states, each the whole of what the register was known
// to hold after one transfer. A state is a sheet file of the sheet's layout, written atomically
// under a name that says when and how it came about:
//
//   DATA/registers/000042/articles/20250314-101530-123-changes-3.txt
//                  device  sheet   UTC date, time, ms  source  rows sent or read
//
// An empty cell is a field of which nothing is known (or that was cleared). The newest state is
// what the register holds now; a damaged newest state makes it unknown rather than trusting an
// older one, which the register may no longer hold. Files that are not states are never read.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grid/cell_table.h"
#include "sheets/sheet_id.h"

namespace nuvrel::app {
class Ui;
}

namespace nuvrel::transfers {

// How many states of one sheet of one register are kept.
inline constexpr std::size_t kKeptStates = 20;

// What a state came from.
enum class StateSource { Sent, Selection, Changes, Report };

struct RecordedState {
  std::filesystem::path path;
  std::uint32_t device = 0;
  sheets::SheetId sheet = sheets::SheetId::Articles;
  std::int64_t msSinceEpoch = 0;  // UTC
  StateSource source = StateSource::Sent;
  unsigned rows = 0;  // rows sent or read by the transfer
};

// An empty table of the sheet's layout, for a state to be read into or built in.
std::unique_ptr<grid::CellTable> NewKnownTable(sheets::SheetId sheet);

class RegisterMemory {
 public:
  // Keeps its files under dataFolder/registers; an empty path keeps nothing and knows nothing.
  explicit RegisterMemory(std::filesystem::path dataFolder);

  // The register's states of the sheet, newest first. Foreign files are skipped with a warning.
  std::vector<RecordedState> States(std::uint32_t device, sheets::SheetId sheet);

  // The register with the newest state of the sheet; nothing when none has one.
  std::optional<std::uint32_t> NewestDevice(sheets::SheetId sheet);

  // Every register with a folder here, in ascending order.
  std::vector<std::uint32_t> Devices();

  // What the register holds of the sheet now: its newest state. Nothing when none is recorded, or
  // when the newest is damaged (with a warning).
  std::unique_ptr<grid::CellTable> Load(std::uint32_t device, sheets::SheetId sheet);

  // The cells of one state; nothing, with a warning, when the file is damaged or cannot be read.
  std::unique_ptr<grid::CellTable> Read(const RecordedState& state);

  // Records what the register holds now and drops the states beyond the newest kKeptStates. The
  // file that could not be written, or nothing.
  std::optional<std::filesystem::path> Record(
      std::uint32_t device, sheets::SheetId sheet, const grid::CellTable& known, StateSource source,
      unsigned rows, std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

  // The warnings gathered so far (UTF-8, one a file), taken away.
  std::vector<std::string> TakeWarnings() { return std::move(m_warnings); }

 private:
  std::filesystem::path SheetFolder(std::uint32_t device, sheets::SheetId sheet) const;

  std::filesystem::path m_root;  // DATA/registers; empty for none
  std::vector<std::string> m_warnings;
};

// Records the state as RegisterMemory::Record does and tells the person, in one message, what
// went wrong on the way: files skipped, or the state not written.
void RecordState(app::Ui& ui, RegisterMemory& memory, std::uint32_t device, sheets::SheetId sheet,
                 const grid::CellTable& known, StateSource source, unsigned rows);

// Tells the person the warnings gathered so far, in one message; nothing when there are none.
void ShowMemoryWarnings(app::Ui& ui, RegisterMemory& memory);

// The name of a state file; the parse of one (path, source, time, rows; not device and sheet).
std::string StateFileName(std::int64_t msSinceEpoch, StateSource source, unsigned rows);
std::optional<RecordedState> ParseStateFileName(const std::filesystem::path& path);

// A state's bytes read into the sheet's layout, or the line (from 1) at which they stop being a
// state of the sheet: a line without its CR LF, a row out of order or outside the sheet, a wrong
// number of fields, or a cell that the sheet's checks refuse.
struct StateRead {
  std::unique_ptr<grid::CellTable> cells;  // nothing when damaged
  unsigned damagedLine = 0;
};
StateRead ReadStateText(std::string_view bytes, sheets::SheetId sheet);

}  // namespace nuvrel::transfers
