// SPDX-License-Identifier: MIT
// The cell table of a grid: rows and columns of cell objects with fixed header rows and label
// columns, row heights and column widths, the focus cell, the selection, and the grid-wide flags.
// The grid widget draws and edits it; the sheets, the files and the transfers read and write it
// through GetItemText and SetItemText. It keeps no window and shows nothing.
//
// A cell is made when something is first written into it. Until then it is blank, and the table
// answers for it from its column and row: the column's cell class and format, the back colour of
// banded rows, the row's label. A sheet of thousands of rows costs only the cells that hold data.
#pragma once

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "grid/cell.h"
#include "grid/text_measurer.h"
#include "grid/types.h"

namespace nuvrel::grid {

// Told about every change, so a widget can repaint what changed.
class TableObserver {
 public:
  virtual ~TableObserver() = default;
  // A cell's text or attributes changed.
  virtual void CellChanged(int row, int col) = 0;
  // Sizes, counts, selection or focus changed: repaint the whole grid.
  virtual void LayoutChanged() = 0;
};

// Told the text a cell held before each change of it, so that the change can be taken back.
class TextJournal {
 public:
  virtual ~TextJournal() = default;
  virtual void TextChanging(int row, int col, std::string_view before) = 0;
};

class CellTable {
 public:
  // Rows and columns measured with the measurer (which must outlive the table); nullptr measures
  // nothing and uses the fallback sizes of the default cells.
  explicit CellTable(const TextMeasurer* measurer = &SheetFontMetrics());
  ~CellTable();
  CellTable(const CellTable&) = delete;
  CellTable& operator=(const CellTable&) = delete;

  void SetObserver(TableObserver* observer) { m_observer = observer; }
  // The journal told about every text change made through SetItemText; nullptr for none.
  void SetJournal(TextJournal* journal) { m_journal = journal; }

  // --- Size and layout -------------------------------------------------------------------------
  // New rows get the default row height and new columns the default width of the font in use now.
  // Changing a count sets the modified mark. False when the count is negative.
  bool SetRowCount(int rows);
  bool SetColumnCount(int cols);
  bool SetFixedRowCount(int rows);
  bool SetFixedColumnCount(int cols);
  int GetRowCount() const { return static_cast<int>(m_rows.size()); }
  int GetColumnCount() const { return m_cols; }
  int GetFixedRowCount() const { return m_fixedRows; }
  int GetFixedColumnCount() const { return m_fixedCols; }

  // A height or width of 0 hides the row or column.
  bool SetRowHeight(int row, int height);
  bool SetColumnWidth(int col, int width);
  int GetRowHeight(int row) const;
  int GetColumnWidth(int col) const;
  const std::vector<int>& RowHeights() const { return m_rowHeights; }
  const std::vector<int>& ColumnWidths() const { return m_colWidths; }

  // Auto-size styles: measure the header rows, the data rows, or both (0 = the grid's style).
  static constexpr int kAutoSizeHeader = 1;
  static constexpr int kAutoSizeData = 2;
  static constexpr int kAutoSizeBoth = 3;
  // Fits a column to the widest extent of its cells; nothing for an invalid or hidden column.
  void AutoSizeColumn(int col, int style = 0);
  // The same, measuring only the cells of the rows given.
  void AutoSizeColumnRows(int col, std::initializer_list<int> rows);
  // Fits a row to the highest extent of its cells.
  void AutoSizeRow(int row);

  // The font's measurer; changing it recomputes the default cells (not the existing sizes).
  void SetMeasurer(const TextMeasurer* measurer);
  const TextMeasurer* Measurer() const { return m_measurer; }

  // --- Cells -----------------------------------------------------------------------------------
  bool IsValid(int row, int col) const {
    return row >= 0 && col >= 0 && row < GetRowCount() && col < m_cols;
  }
  bool IsFixed(int row, int col) const { return row < m_fixedRows || col < m_fixedCols; }

  // Stores the text through the cell's own rules and marks cell and grid modified (a blank cell
  // the text leaves blank stays blank and unmarked). False for an invalid cell.
  bool SetItemText(int row, int col, std::string_view text);
  // Puts back a text the cell held before, exactly, without the cell's rules and without telling
  // the journal (undo and redo); marks cell and grid modified. False for an invalid cell.
  bool RestoreItemText(int row, int col, std::string_view text);
  // The cell's text; empty for an invalid cell.
  std::string GetItemText(int row, int col) const;
  bool SetItemFormat(int row, int col, CellFormat format);
  CellFormat GetItemFormat(int row, int col) const;
  bool SetItemBackColour(int row, int col, Colour colour);
  bool SetItemTextColour(int row, int col, Colour colour);
  // The cell's state: its kept bits plus focused, selected and fixed as they stand now.
  CellState GetItemState(int row, int col) const;
  bool SetItemReadOnly(int row, int col, bool readOnly);

  // Replaces the cell by a new one of another class, which keeps the old text, format and colours.
  bool SetCellType(int row, int col, CellFactory factory);
  template <class T>
  bool SetCellType(int row, int col) {
    return SetCellType(row, col, &MakeCell<T>);
  }
  // The cell object, made first when it is blank; nullptr for an invalid cell.
  GridCell* GetCell(int row, int col);
  // The cell object as it reads: for a blank cell, one that stands for it, valid until the cell is
  // written or the table's counts or blank cells are set anew. nullptr for an invalid cell.
  const GridCell* GetCell(int row, int col) const;

  // --- Blank cells ----------------------------------------------------------------------------
  // A cell nothing was written into reads as its blank: of its column's class and format, with the
  // banding colour in a banded row, with its label in the label column. A text that leaves a blank
  // cell as it was (an empty one, mostly) writes nothing into it. These set what the blank cells
  // are and change the cells already made alike, as a loop over the column or the rows would.

  // The class of the column's data cells (fixed cells stay plain); nullptr for plain cells. False
  // for an invalid column or a factory that makes nothing.
  bool SetColumnType(int col, CellFactory factory);
  template <class T>
  bool SetColumnType(int col) {
    return SetColumnType(col, &MakeCell<T>);
  }
  // The format of every cell of the column, fixed ones included.
  bool SetColumnFormat(int col, CellFormat format);
  // The back colour of the data cells of every second data row, from the second on.
  void SetRowBanding(Colour colour);
  // Numbers the data rows in column 0: the first data row's label is `first`, each next one more.
  // A label is the text of a blank cell; a text written into the cell replaces it.
  void SetRowLabels(int first);

  // The default cell for a kind of cell (fixed row, fixed column, both, or neither).
  DefaultCell& GetDefaultCell(bool fixedRow, bool fixedCol);
  const DefaultCell& GetDefaultCell(bool fixedRow, bool fixedCol) const;
  const DefaultCell& DefaultCellFor(int row, int col) const {
    return GetDefaultCell(row < m_fixedRows, col < m_fixedCols);
  }
  // The colours a cell shows: its own, or its default cell's.
  Colour EffectiveBackColour(int row, int col) const;
  Colour EffectiveTextColour(int row, int col) const;

  // --- Grid-wide flags -------------------------------------------------------------------------
  void SetEditable(bool on) { m_editable = on; }
  bool IsEditable() const { return m_editable; }
  // Editable flag on, the cell valid, not fixed and not read-only.
  bool IsCellEditable(int row, int col) const;
  void SetRowResize(bool on) { m_rowResize = on; }
  bool GetRowResize() const { return m_rowResize; }
  void SetColumnResize(bool on) { m_colResize = on; }
  bool GetColumnResize() const { return m_colResize; }
  void EnableSelection(bool on);
  bool IsSelectionEnabled() const { return m_selectionEnabled; }
  void SetListMode(bool on) { m_listMode = on; }
  bool GetListMode() const { return m_listMode; }

  // The grid-level modified mark (set by every text change and count change).
  bool GetModified() const { return m_modified; }
  void SetModified(bool on) { m_modified = on; }
  bool GetItemModified(int row, int col) const;

  // --- Focus cell --------------------------------------------------------------------------------
  // Sets the focus cell (an invalid cell clears it) and returns the previous one.
  CellId SetFocusCell(int row, int col);
  CellId GetFocusCell() const { return m_focus; }

  // --- Selection ---------------------------------------------------------------------------------
  bool IsCellSelected(int row, int col) const;
  std::size_t GetSelectedCount() const { return m_selectionEnabled ? m_selected.size() : 0; }
  // Every selected cell, row by row, column by column.
  std::vector<CellId> GetSelectedCells() const;
  // The smallest range that holds every selected cell; invalid when nothing is selected.
  CellRange GetSelectedBoundingRange() const;
  void ClearSelection();
  // Selects the cells of the range (clipped to the grid); keepPrevious adds them to the selection.
  void SelectRange(const CellRange& range, bool keepPrevious = false);
  void SelectCell(int row, int col, bool keepPrevious = false);
  // Whole rows or columns of non-fixed cells, or every non-fixed cell.
  void SelectRows(int firstRow, int lastRow, bool keepPrevious = false);
  void SelectColumns(int firstCol, int lastCol, bool keepPrevious = false);
  void SelectAll();
  // Replaces the selection by exactly these cells (invalid ones are skipped).
  void SetSelectedCells(const std::vector<CellId>& cells);

  // The non-fixed area: the first and last data row and column; invalid when there are none.
  CellRange DataRange() const;
  // Whether any data cell (not fixed) reads as a text, blank ones with a label included. Looks at
  // the cells made and at each column's blanks, not at every cell.
  bool HasDataText() const;

 private:
  static std::uint32_t Key(int row, int col) {
    return (static_cast<std::uint32_t>(col) << 16) | static_cast<std::uint32_t>(row & 0xFFFF);
  }
  // What a blank cell of a column is; the three cells stand for the column's blank cells.
  struct Column {
    CellFactory factory = nullptr;  // the data cells' class; nullptr: plain
    CellFormat format = CellFormat::SheetBase;
    std::unique_ptr<GridCell> fixedBlank;
    std::unique_ptr<GridCell> dataBlank;
    std::unique_ptr<GridCell> bandedBlank;
  };

  void NotifyCell(int row, int col);
  // Stores a text with `write` (SetText or RestoreText); marks cell and grid modified and tells
  // the observer. A blank cell that the text leaves as it was stays blank.
  template <class Write>
  void WriteText(int row, int col, Write write);
  // The cell if it was made, else nullptr.
  GridCell* MadeCell(int row, int col) const;
  // The cell's place, with its row's places made.
  std::unique_ptr<GridCell>& Slot(int row, int col);
  // The cell, made from its blank when it is blank.
  GridCell& Make(int row, int col);
  // A new cell that is what the blank cell (row, col) is.
  std::unique_ptr<GridCell> NewBlank(int row, int col) const;
  const GridCell& Blank(int row, int col) const;
  std::string BlankText(int row, int col) const;
  bool IsLabel(int row, int col) const;
  bool IsBanded(int row) const;
  void RebuildBlanks(Column& column);
  // Calls `fn` with every cell made in the rows [first, last) of the column.
  template <class Fn>
  void ForEachMadeCell(int col, int first, int last, Fn fn);
  void NotifyLayout();
  void DropSelectionOutside();
  // Whether the column is valid and shown and there is a measurer.
  bool CanAutoSize(int col) const;
  // The width cell (row, col) needs for its text.
  int CellWidth(int row, int col) const;

  const TextMeasurer* m_measurer;
  // Per row its cells, m_cols each, null where blank; empty for a row without a cell made.
  std::vector<std::vector<std::unique_ptr<GridCell>>> m_rows;
  std::vector<Column> m_columns;
  Colour m_banding = kDefaultColour;
  std::optional<int> m_firstLabel;
  // The label cells asked for by GetCell, made then: drawing shows a few of thousands.
  mutable std::vector<std::unique_ptr<GridCell>> m_labels;
  int m_cols = 0;
  int m_fixedRows = 0;
  int m_fixedCols = 0;
  std::vector<int> m_rowHeights;
  std::vector<int> m_colWidths;
  DefaultCell m_defaultCells[4];  // normal, fixed row, fixed column, fixed both

  bool m_editable = true;
  bool m_rowResize = true;
  bool m_colResize = true;
  bool m_selectionEnabled = true;
  bool m_listMode = false;
  bool m_modified = false;

  CellId m_focus;
  std::unordered_set<std::uint32_t> m_selected;
  TableObserver* m_observer = nullptr;
  TextJournal* m_journal = nullptr;
};

}  // namespace nuvrel::grid
