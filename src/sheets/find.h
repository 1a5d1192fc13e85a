// SPDX-License-Identifier: MIT
// Find, Find next, Find previous and Go to line on a grid sheet. The find memory (the text and the
// two flags of the last Find) is shared by every sheet; its owner keeps one for the whole run.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "grid/cell_table.h"

namespace nuvrel::app {
class Ui;
}

namespace nuvrel::sheets {

// What the last Find looked for; Find next and Find previous search for it again.
struct FindMemory {
  static constexpr std::size_t kTextLimit = 50;  // bytes, as the Find dialog's field allows

  std::string text;
  bool matchCase = false;
  bool selectionOnly = false;

  // Stores a text, cut to kTextLimit bytes.
  void SetText(std::string_view newText) { text = std::string(newText.substr(0, kTextLimit)); }
};

// Whether the cell text contains the text. Without matchCase, letters compare without regard to
// case: ASCII and the Cyrillic letters of Windows-1251.
bool CellMatches(std::string_view text, std::string_view cellText, bool matchCase);

// Searches from the start cell towards the end of the grid, row by row: the start row from
// startCol, every later row from column 1 (the label column is never searched). With selectionOnly,
// only selected cells. The first match is scrolled into view and becomes the focus cell; without
// one, "Searched to the end of grid/selection" is shown. Returns whether it found the text.
bool SearchForward(app::Ui& ui, grid::CellTable& grid, std::string_view text, bool matchCase,
                   bool selectionOnly, int startRow, int startCol);

// As SearchForward, towards row 1: the start row from startCol down to column 1, every earlier row
// from the last column. Without a match shows "Searched to the beginning of grid/selection".
bool SearchBackward(app::Ui& ui, grid::CellTable& grid, std::string_view text, bool matchCase,
                    bool selectionOnly, int startRow, int startCol);

// The Find dialog's OK: remembers the text (and, when it is not empty, the flags) and searches
// forward from the first data cell, or from the first selected cell when selectionOnly. An empty
// text shows "No text to find!". Ends by giving the grid the keyboard focus.
bool FindInSheet(app::Ui& ui, grid::CellTable& grid, FindMemory& memory, std::string_view text,
                 bool matchCase, bool selectionOnly);

// Searches forward for the remembered text from the cell after the focus cell (from the header row
// when there is no focus cell). Ends by giving the grid the keyboard focus.
bool FindNextInSheet(app::Ui& ui, grid::CellTable& grid, const FindMemory& memory);

// Searches backward for the remembered text from the cell before the focus cell. Ends by giving the
// grid the keyboard focus.
bool FindPreviousInSheet(app::Ui& ui, grid::CellTable& grid, const FindMemory& memory);

// The last line Go to line accepts: the grid's last row.
unsigned LargestLine(const grid::CellTable& grid);

// The Go to line dialog's test: the line when the whole text is a decimal number from 1 to
// largestLine, else nothing.
std::optional<unsigned> CheckGoToLine(std::string_view fieldText, unsigned largestLine);

// "Enter a number between 1 and N": the dialog's prompt, and its message for a refused text.
std::string GoToLinePrompt(unsigned largestLine);

// Makes the first data cell of the line the focus cell, in view, and focuses the grid.
void GoToLine(app::Ui& ui, grid::CellTable& grid, unsigned line);

}  // namespace nuvrel::sheets
