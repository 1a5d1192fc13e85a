// SPDX-License-Identifier: MIT
#include "sheets/workspace.h"

#include <unordered_map>

#include "sheets/layouts.h"

namespace nuvrel::sheets {

// Collects the changes of one sheet between two steps: the text each changed cell had before its
// first change. The sheet's version moves on with the first change, so that saving in the middle of
// a step saves the version the step will end at.
class Workspace::Journal final : public grid::TextJournal {
 public:
  Journal(std::uint64_t& version, std::uint64_t& lastVersion)
      : m_version(version), m_lastVersion(lastVersion) {}

  void TextChanging(int row, int col, std::string_view before) override {
    if (m_cells.empty()) {
      m_versionBefore = m_version;
      m_version = ++m_lastVersion;
    }
    const auto key = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(row)) << 32) |
                     static_cast<std::uint32_t>(col);
    if (m_index.emplace(key, m_cells.size()).second) {
      m_cells.push_back({row, col, std::string(before), {}});
    }
  }

  bool Any() const { return !m_cells.empty(); }
  std::uint64_t VersionBefore() const { return m_versionBefore; }

  // The changed cells with their texts now; a cell that ended as it began is left out.
  std::vector<CellChange> Take(const grid::CellTable& table) {
    std::vector<CellChange> changed;
    changed.reserve(m_cells.size());
    for (CellChange& cell : m_cells) {
      cell.after = table.GetItemText(cell.row, cell.col);
      if (cell.after != cell.before) changed.push_back(std::move(cell));
    }
    // Emptied to nothing: a large step must not leave its bookkeeping allocated behind it.
    m_cells = std::vector<CellChange>();
    m_index = decltype(m_index)();
    return changed;
  }

 private:
  std::uint64_t& m_version;
  std::uint64_t& m_lastVersion;
  std::uint64_t m_versionBefore = 0;
  std::vector<CellChange> m_cells;
  std::unordered_map<std::uint64_t, std::size_t> m_index;
};

Workspace::Workspace(const grid::TextMeasurer* measurer) {
  for (const SheetInfo& info : GridSheets()) {
    const std::size_t slot = Slot(info.id);
    m_grids[slot] = std::make_unique<grid::CellTable>(measurer);
    SetupSheet(info.id, *m_grids[slot]);
    // Laying the sheet out is not a change of its data.
    m_journals[slot] = std::make_unique<Journal>(m_versions[slot], m_lastVersion);
    m_grids[slot]->SetJournal(m_journals[slot].get());
  }
}

Workspace::~Workspace() {
  for (auto& grid : m_grids) grid->SetJournal(nullptr);
}

bool Workspace::AnyModified() const {
  for (const auto& grid : m_grids) {
    if (grid->GetModified()) return true;
  }
  return false;
}

WorkspaceChange Workspace::TakeChange() {
  WorkspaceChange change;
  for (const SheetInfo& info : GridSheets()) {
    const std::size_t slot = Slot(info.id);
    Journal& journal = *m_journals[slot];
    SheetChange sheet{info.id, {}, m_versions[slot], m_versions[slot], {}, {}};
    if (journal.Any()) {
      sheet.versionBefore = journal.VersionBefore();
      sheet.cells = journal.Take(*m_grids[slot]);
      if (sheet.cells.empty()) {
        // Nothing changed after all: the sheet is the version it was, also for a file saved or
        // read meanwhile.
        for (auto& [path, version] : m_savedVersions) {
          if (version == m_versions[slot]) version = sheet.versionBefore;
        }
        m_versions[slot] = sheet.versionBefore;
      }
      sheet.versionAfter = m_versions[slot];
    }
    if (m_files[slot] != m_filesTaken[slot]) {
      sheet.fileBefore = m_filesTaken[slot];
      sheet.fileAfter = m_files[slot];
      m_filesTaken[slot] = m_files[slot];
    }
    if (!sheet.cells.empty() || sheet.fileAfter) change.sheets.push_back(std::move(sheet));
  }
  return change;
}

void Workspace::Undo(const WorkspaceChange& change) {
  Apply(change, true);
}

void Workspace::Redo(const WorkspaceChange& change) {
  Apply(change, false);
}

void Workspace::Apply(const WorkspaceChange& change, bool undo) {
  TakeChange();
  for (const SheetChange& sheet : change.sheets) {
    const std::size_t slot = Slot(sheet.id);
    grid::CellTable& grid = *m_grids[slot];
    if (undo) {
      // Backwards, so that a cell changed twice in one step ends as it began.
      for (auto it = sheet.cells.rbegin(); it != sheet.cells.rend(); ++it) {
        grid.RestoreItemText(it->row, it->col, it->before);
      }
    } else {
      for (const CellChange& cell : sheet.cells)
        grid.RestoreItemText(cell.row, cell.col, cell.after);
    }
    m_versions[slot] = undo ? sheet.versionBefore : sheet.versionAfter;
    if (const auto& file = undo ? sheet.fileBefore : sheet.fileAfter) {
      m_files[slot] = *file;
      m_filesTaken[slot] = *file;
    }
  }
}

void Workspace::MarkSaved(SheetId id) {
  const std::size_t slot = Slot(id);
  if (!m_files[slot].Empty()) m_savedVersions[m_files[slot].path] = m_versions[slot];
}

void Workspace::SavedAs(SheetId id, const std::filesystem::path& path) {
  const std::size_t slot = Slot(id);
  m_files[slot].path = path;
  m_filesTaken[slot] = m_files[slot];
  MarkSaved(id);
}

bool Workspace::HasUnsavedData(SheetId id) const {
  const std::size_t slot = Slot(id);
  const SheetFile& file = m_files[slot];
  if (file.Empty()) return !IsEmpty(id);
  const auto saved = m_savedVersions.find(file.path);
  return saved == m_savedVersions.end() || saved->second != m_versions[slot];
}

bool Workspace::IsEmpty(SheetId id) const {
  return !Grid(id).HasDataText();
}

}  // namespace nuvrel::sheets
