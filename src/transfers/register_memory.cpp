// SPDX-License-Identifier: MIT
#include "transfers/register_memory.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <map>
#include <system_error>

#include "app/file_io.h"
#include "app/file_replace.h"
#include "app/format.h"
#include "app/ui.h"
#include "app/utf8_path.h"
#include "sheets/layouts.h"
#include "sheets/sheet_file.h"
#include "transfers/validation.h"

namespace nuvrel::transfers {
namespace {

namespace fs = std::filesystem;

// A full Articles state is some 200 kB; nothing larger is one.
constexpr std::size_t kLargestState = 4 * 1024 * 1024;
constexpr std::uint32_t kLargestDevice = 999999;

struct SourceName {
  StateSource source;
  std::string_view name;
};
constexpr std::array<SourceName, 4> kSourceNames{{
    {StateSource::Sent, "sent"},
    {StateSource::Selection, "selection"},
    {StateSource::Changes, "changes"},
    {StateSource::Report, "report"},
}};

std::optional<unsigned> Digits(std::string_view text, std::size_t minSize, std::size_t maxSize) {
  if (text.size() < minSize || text.size() > maxSize) return std::nullopt;
  unsigned value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  return value;
}

std::string DeviceFolderName(std::uint32_t device) {
  char name[8];
  std::snprintf(name, sizeof name, "%06u", static_cast<unsigned>(device));
  return name;
}

std::optional<std::uint32_t> ParseDeviceFolderName(const std::string& name) {
  const std::optional<unsigned> device = Digits(name, 6, 6);
  if (!device || *device == 0 || *device > kLargestDevice) return std::nullopt;
  return *device;
}

// A file that a write cut short by a crash left behind (file_replace.h names them so).
bool IsLeftover(const std::string& name) {
  return name.find(".tmp-") != std::string::npos;
}

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find(separator, start);
    parts.emplace_back(text.substr(start, end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

}  // namespace

std::unique_ptr<grid::CellTable> NewKnownTable(sheets::SheetId sheet) {
  auto table = std::make_unique<grid::CellTable>(nullptr);
  sheets::SetupSheet(sheet, *table);
  return table;
}

std::string StateFileName(std::int64_t msSinceEpoch, StateSource source, unsigned rows) {
  using namespace std::chrono;
  const sys_time<milliseconds> time{milliseconds(msSinceEpoch)};
  const sys_days midnight = floor<days>(time);
  const year_month_day date(midnight);
  const hh_mm_ss<milliseconds> clock(time - midnight);
  std::string_view sourceName;
  for (const SourceName& entry : kSourceNames) {
    if (entry.source == source) sourceName = entry.name;
  }
  char name[96];
  std::snprintf(name, sizeof name, "%04d%02u%02u-%02d%02d%02d-%03d-%.*s-%u.txt",
                static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()), static_cast<int>(clock.hours().count()),
                static_cast<int>(clock.minutes().count()),
                static_cast<int>(clock.seconds().count()),
                static_cast<int>(clock.subseconds().count()), static_cast<int>(sourceName.size()),
                sourceName.data(), rows);
  return name;
}

std::optional<RecordedState> ParseStateFileName(const fs::path& path) {
  std::string name = app::PathText(path.filename());
  constexpr std::string_view kEnding = ".txt";
  if (name.size() <= kEnding.size() || !name.ends_with(kEnding)) return std::nullopt;
  name.resize(name.size() - kEnding.size());
  const std::vector<std::string> parts = Split(name, '-');
  if (parts.size() != 5) return std::nullopt;
  const std::optional<unsigned> date = Digits(parts[0], 8, 8);
  const std::optional<unsigned> time = Digits(parts[1], 6, 6);
  const std::optional<unsigned> ms = Digits(parts[2], 3, 3);
  const std::optional<unsigned> rows = Digits(parts[4], 1, 6);
  if (!date || !time || !ms || !rows) return std::nullopt;
  using namespace std::chrono;
  const year_month_day calendar{year(static_cast<int>(*date / 10000)), month(*date / 100 % 100),
                                day(*date % 100)};
  const unsigned hour = *time / 10000, minute = *time / 100 % 100, second = *time % 100;
  if (!calendar.ok() || hour > 23 || minute > 59 || second > 60) return std::nullopt;
  RecordedState state;
  const auto source = std::find_if(kSourceNames.begin(), kSourceNames.end(),
                                   [&](const SourceName& e) { return e.name == parts[3]; });
  if (source == kSourceNames.end()) return std::nullopt;
  state.path = path;
  state.source = source->source;
  state.rows = *rows;
  const sys_seconds start = sys_days(calendar) + hours(hour) + minutes(minute) + seconds(second);
  state.msSinceEpoch = static_cast<std::int64_t>(start.time_since_epoch().count()) * 1000 + *ms;
  return state;
}

StateRead ReadStateText(std::string_view bytes, sheets::SheetId sheet) {
  const sheets::SheetInfo& info = sheets::InfoFor(sheet);
  StateRead read;
  std::map<int, unsigned> lineOfRow;
  int lastRow = 0;
  unsigned line = 0;
  for (std::size_t start = 0; start < bytes.size();) {
    ++line;
    const std::size_t end = bytes.find("\r\n", start);
    const std::string_view text = bytes.substr(start, end - start);
    if (end == std::string_view::npos || text.find_first_of("\r\n") != std::string_view::npos) {
      read.damagedLine = line;
      return read;
    }
    const std::vector<std::string> fields = Split(text, '\t');
    const std::optional<unsigned> label = Digits(fields[0], 1, 5);
    const int row = label ? static_cast<int>(*label) + (info.zeroBasedLabels ? 1 : 0) : 0;
    if (static_cast<int>(fields.size()) != info.columns || row <= lastRow || row >= info.rows) {
      read.damagedLine = line;
      return read;
    }
    lastRow = row;
    lineOfRow[row] = line;
    start = end + 2;
  }
  read.cells = NewKnownTable(sheet);
  sheets::SheetTextReader(*read.cells).ReadSheetText(bytes);
  for (const app::CellProblem& problem : CheckSheet(sheet, *read.cells)) {
    if (problem.severity != app::Severity::Error) continue;
    read.cells.reset();
    read.damagedLine = lineOfRow[problem.row];
    break;
  }
  return read;
}

RegisterMemory::RegisterMemory(fs::path dataFolder)
    : m_root(dataFolder.empty() ? fs::path() : dataFolder / "registers") {}

fs::path RegisterMemory::SheetFolder(std::uint32_t device, sheets::SheetId sheet) const {
  return m_root / DeviceFolderName(device) / std::string(sheets::InfoFor(sheet).cliName);
}

std::vector<RecordedState> RegisterMemory::States(std::uint32_t device, sheets::SheetId sheet) {
  std::vector<RecordedState> states;
  if (m_root.empty()) return states;
  std::error_code error;
  for (const fs::directory_entry& entry :
       fs::directory_iterator(SheetFolder(device, sheet), error)) {
    const std::string name = app::PathText(entry.path().filename());
    if (IsLeftover(name)) continue;
    std::optional<RecordedState> state = ParseStateFileName(entry.path());
    if (!state || !entry.is_regular_file(error)) {
      m_warnings.push_back(app::Format(app::Sid::StateFileForeign, {entry.path()}));
      continue;
    }
    state->device = device;
    state->sheet = sheet;
    states.push_back(std::move(*state));
  }
  // The names sort as their times do.
  std::sort(states.begin(), states.end(), [](const RecordedState& a, const RecordedState& b) {
    return a.path.filename() > b.path.filename();
  });
  return states;
}

std::vector<std::uint32_t> RegisterMemory::Devices() {
  std::vector<std::uint32_t> devices;
  if (m_root.empty()) return devices;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(m_root, error)) {
    const std::optional<std::uint32_t> device =
        ParseDeviceFolderName(app::PathText(entry.path().filename()));
    if (device && entry.is_directory(error)) devices.push_back(*device);
  }
  std::sort(devices.begin(), devices.end());
  return devices;
}

std::optional<std::uint32_t> RegisterMemory::NewestDevice(sheets::SheetId sheet) {
  std::optional<std::uint32_t> newest;
  fs::path newestName;
  for (const std::uint32_t device : Devices()) {
    const std::vector<RecordedState> states = States(device, sheet);
    if (!states.empty() && states.front().path.filename() > newestName) {
      newestName = states.front().path.filename();
      newest = device;
    }
  }
  return newest;
}

std::unique_ptr<grid::CellTable> RegisterMemory::Load(std::uint32_t device, sheets::SheetId sheet) {
  const std::vector<RecordedState> states = States(device, sheet);
  if (states.empty()) return nullptr;
  return Read(states.front());
}

std::unique_ptr<grid::CellTable> RegisterMemory::Read(const RecordedState& state) {
  const app::FileContents file = app::ReadWholeFile(state.path, kLargestState);
  unsigned damagedLine = 1;
  if (file.status == app::ReadStatus::Read) {
    StateRead read = ReadStateText(file.bytes, state.sheet);
    if (read.cells) return std::move(read.cells);
    damagedLine = read.damagedLine;
  }
  m_warnings.push_back(app::Format(app::Sid::StateFileDamaged, {state.path, damagedLine}));
  return nullptr;
}

std::optional<fs::path> RegisterMemory::Record(std::uint32_t device, sheets::SheetId sheet,
                                               const grid::CellTable& known, StateSource source,
                                               unsigned rows,
                                               std::chrono::system_clock::time_point now) {
  if (m_root.empty()) return std::nullopt;
  const fs::path folder = SheetFolder(device, sheet);
  std::error_code error;
  fs::create_directories(folder, error);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  // Two transfers within one millisecond still get a state each.
  fs::path path = folder / StateFileName(ms, source, rows);
  for (int tries = 0; fs::exists(path, error) && tries < 1000; ++tries) {
    path = folder / StateFileName(++ms, source, rows);
  }
  if (app::ReplaceFile(path, sheets::SheetText(known)) != app::ReplaceStatus::Replaced) {
    return path;
  }
  const std::vector<RecordedState> states = States(device, sheet);
  for (std::size_t i = kKeptStates; i < states.size(); ++i) fs::remove(states[i].path, error);
  return std::nullopt;
}

namespace {

void ShowWarnings(app::Ui& ui, std::vector<std::string> warnings) {
  std::string text;
  for (const std::string& warning : warnings) {
    if (!text.empty()) text += "\r\n";
    text += warning;
  }
  if (!text.empty()) ui.ShowMessage(text, app::Icon::Warning);
}

}  // namespace

void ShowMemoryWarnings(app::Ui& ui, RegisterMemory& memory) {
  ShowWarnings(ui, memory.TakeWarnings());
}

void RecordState(app::Ui& ui, RegisterMemory& memory, std::uint32_t device, sheets::SheetId sheet,
                 const grid::CellTable& known, StateSource source, unsigned rows) {
  const std::optional<fs::path> failed = memory.Record(device, sheet, known, source, rows);
  std::vector<std::string> warnings = memory.TakeWarnings();
  if (failed) warnings.push_back(app::Format(app::Sid::StateNotRecorded, {device, *failed}));
  ShowWarnings(ui, std::move(warnings));
}

}  // namespace nuvrel::transfers
