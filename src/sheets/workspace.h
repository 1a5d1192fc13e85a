// SPDX-License-Identifier: MIT
// The eight sheets of a run: seven grids, laid out, and the Reports text; with the file each grid
// sheet belongs to. Every change of a grid's cells is recorded, so that the front end can offer it
// as a step to undo, and so that the workspace knows which sheets hold data their files do not.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "grid/cell_table.h"
#include "sheets/sheet_file.h"
#include "sheets/sheet_id.h"
#include "sheets/workspace_change.h"

namespace nuvrel::sheets {

class Workspace {
 public:
  // Lays out every grid sheet, measured with the measurer (which must outlive the workspace).
  explicit Workspace(const grid::TextMeasurer* measurer = &grid::SheetFontMetrics());
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  grid::CellTable& Grid(SheetId id) { return *m_grids[Slot(id)]; }
  const grid::CellTable& Grid(SheetId id) const { return *m_grids[Slot(id)]; }
  // The file a grid sheet belongs to, empty when it has none. Changing it (Open makes the opened
  // file the sheet's, Clear all forgets it) is part of the next step.
  SheetFile& File(SheetId id) { return m_files[Slot(id)]; }
  const SheetFile& File(SheetId id) const { return m_files[Slot(id)]; }

  // The Reports pane's text: Windows-1251, lines ending in CR LF.
  std::string& ReportsText() { return m_reports; }
  const std::string& ReportsText() const { return m_reports; }

  // Whether any grid carries its modified mark.
  bool AnyModified() const;

  // --- Steps, undo and saving --------------------------------------------------------------------
  // Everything changed since the last call, as one step; empty when nothing changed (a cell set to
  // the text it had is no change).
  WorkspaceChange TakeChange();
  // Takes a step back, or makes it again. Changes not yet taken are taken first and dropped, so
  // call TakeChange before.
  void Undo(const WorkspaceChange& change);
  void Redo(const WorkspaceChange& change);

  // The sheet now holds what its file holds: after it was written there, or read from it.
  void MarkSaved(SheetId id);
  // Saved under a new file (Save As): the sheet belongs to it from now on, which is no step.
  void SavedAs(SheetId id, const std::filesystem::path& path);
  // Whether closing would lose some of the sheet's data: it differs from what its file holds, or it
  // has no file and is not empty.
  bool HasUnsavedData(SheetId id) const;
  // Whether every data cell of the sheet is empty.
  bool IsEmpty(SheetId id) const;

 private:
  class Journal;
  static std::size_t Slot(SheetId id) { return static_cast<std::size_t>(Index(id)); }
  void Apply(const WorkspaceChange& change, bool undo);

  std::array<std::unique_ptr<grid::CellTable>, kGridSheetCount> m_grids;
  std::array<std::unique_ptr<Journal>, kGridSheetCount> m_journals;
  std::array<SheetFile, kGridSheetCount> m_files;
  std::array<SheetFile, kGridSheetCount> m_filesTaken;  // the files as the last step left them
  std::array<std::uint64_t, kGridSheetCount> m_versions{};
  std::uint64_t m_lastVersion = 0;
  // The version of the sheet each file was last written from or read into.
  std::map<std::filesystem::path, std::uint64_t> m_savedVersions;
  std::string m_reports;
};

}  // namespace nuvrel::sheets
