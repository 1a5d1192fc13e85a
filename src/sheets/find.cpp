// SPDX-License-Identifier: MIT
// Find, Find next, Find previous and Go to line on a grid sheet.
#include "sheets/find.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "app/format.h"
#include "app/strings.h"
#include "app/ui.h"

namespace nuvrel::sheets {
namespace {

// Maps every Windows-1251 byte to its lower-case letter. Cell texts are Windows-1251 and the sheets
// hold Serbian names, so besides ASCII the Cyrillic capitals fold too: А-Я (0xC0-0xDF), and the
// letters outside that block (Ђ Ј Љ Њ Ћ Џ and the other national letters, Ё).
constexpr std::array<std::uint8_t, 256> MakeLowerTable() {
  std::array<std::uint8_t, 256> table{};
  for (std::size_t i = 0; i < table.size(); ++i) table[i] = static_cast<std::uint8_t>(i);
  for (std::size_t i = 'A'; i <= 'Z'; ++i) table[i] = static_cast<std::uint8_t>(i + 0x20);
  for (std::size_t i = 0xC0; i <= 0xDF; ++i) table[i] = static_cast<std::uint8_t>(i + 0x20);
  constexpr std::uint8_t kPairs[][2] = {
      {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
      {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
      {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
  };
  for (const auto& pair : kPairs) table[pair[0]] = pair[1];
  return table;
}
constexpr std::array<std::uint8_t, 256> kLower = MakeLowerTable();

std::uint8_t Lower(char c) {
  return kLower[static_cast<std::uint8_t>(c)];
}

std::string_view EndMessage(bool selectionOnly) {
  return app::Text(selectionOnly ? app::Sid::NotFoundEndOfSelection : app::Sid::NotFoundEndOfGrid);
}

std::string_view BeginningMessage(bool selectionOnly) {
  return app::Text(selectionOnly ? app::Sid::NotFoundBeginningOfSelection
                                 : app::Sid::NotFoundBeginningOfGrid);
}

bool Candidate(const grid::CellTable& grid, std::string_view text, bool matchCase,
               bool selectionOnly, int row, int col) {
  if (selectionOnly && !grid.IsCellSelected(row, col)) return false;
  return CellMatches(text, grid.GetItemText(row, col), matchCase);
}

std::optional<grid::CellId> ScanForward(const grid::CellTable& grid, std::string_view text,
                                        bool matchCase, bool selectionOnly, int startRow,
                                        int startCol) {
  const int rows = grid.GetRowCount();
  const int cols = grid.GetColumnCount();
  for (int row = std::max(startRow, 0); row < rows; ++row) {
    const int first = row == startRow ? std::max(startCol, 1) : 1;
    for (int col = first; col < cols; ++col) {
      if (Candidate(grid, text, matchCase, selectionOnly, row, col)) return grid::CellId{row, col};
    }
  }
  return std::nullopt;
}

std::optional<grid::CellId> ScanBackward(const grid::CellTable& grid, std::string_view text,
                                         bool matchCase, bool selectionOnly, int startRow,
                                         int startCol) {
  const int rows = grid.GetRowCount();
  const int lastCol = grid.GetColumnCount() - 1;
  if (startRow >= rows) {
    // Past the end: start from the last cell.
    startRow = rows - 1;
    startCol = lastCol;
  }
  for (int row = startRow; row >= 1; --row) {
    const int first = row == startRow ? std::min(startCol, lastCol) : lastCol;
    for (int col = first; col >= 1; --col) {
      if (Candidate(grid, text, matchCase, selectionOnly, row, col)) return grid::CellId{row, col};
    }
  }
  return std::nullopt;
}

void Reveal(app::Ui& ui, grid::CellTable& grid, grid::CellId cell) {
  ui.EnsureVisible(grid, cell.row, cell.col);
  grid.SetFocusCell(cell.row, cell.col);
}

void ShowNoTextToFind(app::Ui& ui) {
  ui.ShowMessage(app::Text(app::Sid::NoTextToFind), app::Icon::Error);
}

bool FindFirst(app::Ui& ui, grid::CellTable& grid, FindMemory& memory, std::string_view text,
               bool matchCase, bool selectionOnly) {
  memory.SetText(text);
  if (memory.text.empty()) {
    ShowNoTextToFind(ui);
    return false;
  }
  memory.matchCase = matchCase;
  memory.selectionOnly = selectionOnly;

  grid::CellId start{1, 1};
  if (selectionOnly) {
    for (const grid::CellId& cell : grid.GetSelectedCells()) {
      if (cell.row >= 1 && cell.col >= 1) {
        start = cell;
        break;
      }
    }
  }
  return SearchForward(ui, grid, memory.text, matchCase, selectionOnly, start.row, start.col);
}

bool FindNext(app::Ui& ui, grid::CellTable& grid, const FindMemory& memory) {
  if (memory.text.empty()) {
    ShowNoTextToFind(ui);
    return false;
  }
  const grid::CellId focus = grid.GetFocusCell();
  const int cols = grid.GetColumnCount();
  int startCol = cols > 0 ? (focus.col + 1) % cols : 0;
  int startRow = focus.row;
  if (startCol == 0) {
    // Past the last column, or no focus cell at all: the next row from its first data cell. Without
    // a focus cell that is row 0, so the headers are searched too.
    startCol = 1;
    startRow = focus.row + 1;
  }
  if (startRow >= grid.GetRowCount()) {
    ui.ShowMessage(EndMessage(memory.selectionOnly), app::Icon::Information);
    return false;
  }
  return SearchForward(ui, grid, memory.text, memory.matchCase, memory.selectionOnly, startRow,
                       startCol);
}

bool FindPrevious(app::Ui& ui, grid::CellTable& grid, const FindMemory& memory) {
  if (memory.text.empty()) {
    ShowNoTextToFind(ui);
    return false;
  }
  const grid::CellId focus = grid.GetFocusCell();
  int startCol = focus.col - 1;
  int startRow = focus.row;
  if (startCol < 1) {
    startCol = grid.GetColumnCount() - 1;
    startRow = focus.row - 1;
  }
  if (startRow < 1) {
    ui.ShowMessage(BeginningMessage(memory.selectionOnly), app::Icon::Information);
    return false;
  }
  return SearchBackward(ui, grid, memory.text, memory.matchCase, memory.selectionOnly, startRow,
                        startCol);
}

}  // namespace

bool CellMatches(std::string_view text, std::string_view cellText, bool matchCase) {
  if (matchCase) return cellText.find(text) != std::string_view::npos;
  const auto hit = std::search(cellText.begin(), cellText.end(), text.begin(), text.end(),
                               [](char a, char b) { return Lower(a) == Lower(b); });
  return hit != cellText.end() || text.empty();
}

bool SearchForward(app::Ui& ui, grid::CellTable& grid, std::string_view text, bool matchCase,
                   bool selectionOnly, int startRow, int startCol) {
  std::optional<grid::CellId> hit;
  {
    // Only the scan runs under the wait cursor: the message box that may follow gets the normal
    // one.
    app::WaitCursor wait(ui);
    hit = ScanForward(grid, text, matchCase, selectionOnly, startRow, startCol);
  }
  if (!hit) {
    ui.ShowMessage(EndMessage(selectionOnly), app::Icon::Information);
    return false;
  }
  Reveal(ui, grid, *hit);
  return true;
}

bool SearchBackward(app::Ui& ui, grid::CellTable& grid, std::string_view text, bool matchCase,
                    bool selectionOnly, int startRow, int startCol) {
  std::optional<grid::CellId> hit;
  {
    app::WaitCursor wait(ui);
    hit = ScanBackward(grid, text, matchCase, selectionOnly, startRow, startCol);
  }
  if (!hit) {
    ui.ShowMessage(BeginningMessage(selectionOnly), app::Icon::Information);
    return false;
  }
  Reveal(ui, grid, *hit);
  return true;
}

bool FindInSheet(app::Ui& ui, grid::CellTable& grid, FindMemory& memory, std::string_view text,
                 bool matchCase, bool selectionOnly) {
  const bool found = FindFirst(ui, grid, memory, text, matchCase, selectionOnly);
  ui.FocusGrid(grid);
  return found;
}

bool FindNextInSheet(app::Ui& ui, grid::CellTable& grid, const FindMemory& memory) {
  const bool found = FindNext(ui, grid, memory);
  ui.FocusGrid(grid);
  return found;
}

bool FindPreviousInSheet(app::Ui& ui, grid::CellTable& grid, const FindMemory& memory) {
  const bool found = FindPrevious(ui, grid, memory);
  ui.FocusGrid(grid);
  return found;
}

unsigned LargestLine(const grid::CellTable& grid) {
  return grid.GetRowCount() > 0 ? static_cast<unsigned>(grid.GetRowCount() - 1) : 0U;
}

std::optional<unsigned> CheckGoToLine(std::string_view fieldText, unsigned largestLine) {
  if (fieldText.empty()) return std::nullopt;
  unsigned long long value = 0;
  for (const char c : fieldText) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
    // Leading zeros keep the value small; anything past the limit is refused before it can
    // overflow.
    if (value > largestLine) return std::nullopt;
  }
  if (value == 0) return std::nullopt;
  return static_cast<unsigned>(value);
}

std::string GoToLinePrompt(unsigned largestLine) {
  return app::Format(app::Sid::EnterNumberBetween, {largestLine});
}

void GoToLine(app::Ui& ui, grid::CellTable& grid, unsigned line) {
  const int row = static_cast<int>(line);
  ui.EnsureVisible(grid, row, 1);
  grid.SetFocusCell(row, 1);
  ui.FocusGrid(grid);
}

}  // namespace nuvrel::sheets
