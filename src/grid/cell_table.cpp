// SPDX-License-Identifier: MIT
#include "grid/cell_table.h"

#include <algorithm>
#include <array>
#include <utility>

namespace nuvrel::grid {

CellTable::CellTable(const TextMeasurer* measurer) : m_measurer(measurer) {
  for (auto& cell : m_defaultCells) cell.SetFont(m_measurer);
}

CellTable::~CellTable() = default;

void CellTable::NotifyCell(int row, int col) {
  if (m_observer) m_observer->CellChanged(row, col);
}

void CellTable::NotifyLayout() {
  if (m_observer) m_observer->LayoutChanged();
}

void CellTable::SetMeasurer(const TextMeasurer* measurer) {
  m_measurer = measurer;
  for (auto& cell : m_defaultCells) cell.SetFont(m_measurer);
  NotifyLayout();
}

bool CellTable::SetRowCount(int rows) {
  if (rows < 0) return false;
  const auto count = static_cast<std::size_t>(rows);
  // New rows are blank: they hold no cell yet.
  m_rows.resize(count);
  if (m_labels.size() > count) m_labels.resize(count);
  m_rowHeights.resize(count, GetDefaultCell(false, false).DefaultHeight());
  if (m_fixedRows > rows) m_fixedRows = rows;
  DropSelectionOutside();
  m_modified = true;
  NotifyLayout();
  return true;
}

bool CellTable::SetColumnCount(int cols) {
  if (cols < 0) return false;
  const auto count = static_cast<std::size_t>(cols);
  for (auto& row : m_rows) {
    if (!row.empty()) row.resize(count);
  }
  const std::size_t old = m_columns.size();
  m_columns.resize(count);
  for (std::size_t c = old; c < count; ++c) RebuildBlanks(m_columns[c]);
  m_labels.clear();
  m_cols = cols;
  m_colWidths.resize(count, GetDefaultCell(false, false).DefaultWidth());
  if (m_fixedCols > cols) m_fixedCols = cols;
  DropSelectionOutside();
  m_modified = true;
  NotifyLayout();
  return true;
}

bool CellTable::SetFixedRowCount(int rows) {
  if (rows < 0) return false;
  if (rows > GetRowCount()) SetRowCount(rows);
  m_fixedRows = rows;
  m_labels.clear();
  DropSelectionOutside();
  NotifyLayout();
  return true;
}

bool CellTable::SetFixedColumnCount(int cols) {
  if (cols < 0) return false;
  if (cols > m_cols) SetColumnCount(cols);
  m_fixedCols = cols;
  m_labels.clear();
  DropSelectionOutside();
  NotifyLayout();
  return true;
}

bool CellTable::SetRowHeight(int row, int height) {
  if (row < 0 || row >= GetRowCount() || height < 0) return false;
  m_rowHeights[static_cast<std::size_t>(row)] = height;
  NotifyLayout();
  return true;
}

bool CellTable::SetColumnWidth(int col, int width) {
  if (col < 0 || col >= m_cols || width < 0) return false;
  m_colWidths[static_cast<std::size_t>(col)] = width;
  NotifyLayout();
  return true;
}

int CellTable::GetRowHeight(int row) const {
  if (row < 0 || row >= GetRowCount()) return -1;
  return m_rowHeights[static_cast<std::size_t>(row)];
}

int CellTable::GetColumnWidth(int col) const {
  if (col < 0 || col >= m_cols) return -1;
  return m_colWidths[static_cast<std::size_t>(col)];
}

void CellTable::AutoSizeColumn(int col, int style) {
  if (!CanAutoSize(col)) return;
  if (style == 0) style = kAutoSizeBoth;
  const int first = (style & kAutoSizeHeader) ? 0 : m_fixedRows;
  const int last = (style & kAutoSizeData) ? GetRowCount() - 1 : m_fixedRows - 1;
  int width = 0;
  for (int r = first; r <= last; ++r) width = std::max(width, CellWidth(r, col));
  SetColumnWidth(col, width);
}

void CellTable::AutoSizeColumnRows(int col, std::initializer_list<int> rows) {
  if (!CanAutoSize(col)) return;
  int width = 0;
  for (int r : rows) {
    if (r >= 0 && r < GetRowCount()) width = std::max(width, CellWidth(r, col));
  }
  SetColumnWidth(col, width);
}

bool CellTable::CanAutoSize(int col) const {
  return col >= 0 && col < m_cols && GetColumnWidth(col) != 0 && m_measurer;
}

int CellTable::CellWidth(int row, int col) const {
  return GetCell(row, col)->CellExtent(*m_measurer, DefaultCellFor(row, col).Margin()).width;
}

void CellTable::AutoSizeRow(int row) {
  if (row < 0 || row >= GetRowCount() || GetRowHeight(row) == 0 || !m_measurer) return;
  int height = 0;
  for (int c = 0; c < m_cols; ++c) {
    const int margin = DefaultCellFor(row, c).Margin();
    height = std::max(height,
                      std::as_const(*this).GetCell(row, c)->CellExtent(*m_measurer, margin).height);
  }
  SetRowHeight(row, height);
}

bool CellTable::SetItemText(int row, int col, std::string_view text) {
  if (!IsValid(row, col)) return false;
  if (m_journal) m_journal->TextChanging(row, col, GetItemText(row, col));
  WriteText(row, col, [text](GridCell& cell) { cell.SetText(text); });
  return true;
}

bool CellTable::RestoreItemText(int row, int col, std::string_view text) {
  if (!IsValid(row, col)) return false;
  WriteText(row, col, [text](GridCell& cell) { cell.RestoreText(text); });
  return true;
}

template <class Write>
void CellTable::WriteText(int row, int col, Write write) {
  GridCell* cell = MadeCell(row, col);
  if (!cell) {
    // Written into a cell of its own first: only a text that changes the blank makes the cell.
    std::unique_ptr<GridCell> made = NewBlank(row, col);
    write(*made);
    if (made->GetText() != BlankText(row, col)) cell = (Slot(row, col) = std::move(made)).get();
  } else {
    write(*cell);
  }
  if (cell) cell->SetState(cell->GetState() | CellState::Modified);
  m_modified = true;
  NotifyCell(row, col);
}

std::string CellTable::GetItemText(int row, int col) const {
  if (!IsValid(row, col)) return {};
  const GridCell* cell = MadeCell(row, col);
  return cell ? cell->GetText() : BlankText(row, col);
}

bool CellTable::SetItemFormat(int row, int col, CellFormat format) {
  GridCell* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetFormat(format);
  NotifyCell(row, col);
  return true;
}

CellFormat CellTable::GetItemFormat(int row, int col) const {
  const GridCell* cell = GetCell(row, col);
  return cell ? cell->GetFormat() : CellFormat::Left;
}

bool CellTable::SetItemBackColour(int row, int col, Colour colour) {
  GridCell* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetBackColour(colour);
  NotifyCell(row, col);
  return true;
}

bool CellTable::SetItemTextColour(int row, int col, Colour colour) {
  GridCell* cell = GetCell(row, col);
  if (!cell) return false;
  cell->SetTextColour(colour);
  NotifyCell(row, col);
  return true;
}

CellState CellTable::GetItemState(int row, int col) const {
  const GridCell* cell = GetCell(row, col);
  if (!cell) return CellState::None;
  CellState s = cell->GetState() & (CellState::ReadOnly | CellState::Modified);
  if (m_focus.row == row && m_focus.col == col) s |= CellState::Focused;
  if (IsCellSelected(row, col)) s |= CellState::Selected;
  if (row < m_fixedRows) s |= CellState::Fixed | CellState::FixedRow;
  if (col < m_fixedCols) s |= CellState::Fixed | CellState::FixedColumn;
  return s;
}

bool CellTable::SetItemReadOnly(int row, int col, bool readOnly) {
  GridCell* cell = GetCell(row, col);
  if (!cell) return false;
  const CellState s = cell->GetState();
  cell->SetState(readOnly ? (s | CellState::ReadOnly) : (s & ~CellState::ReadOnly));
  return true;
}

bool CellTable::SetCellType(int row, int col, CellFactory factory) {
  if (!IsValid(row, col) || !factory) return false;
  std::unique_ptr<GridCell> cell = factory();
  if (!cell) return false;
  cell->TakeOver(*std::as_const(*this).GetCell(row, col));
  Slot(row, col) = std::move(cell);
  NotifyCell(row, col);
  return true;
}

GridCell* CellTable::GetCell(int row, int col) {
  return IsValid(row, col) ? &Make(row, col) : nullptr;
}

const GridCell* CellTable::GetCell(int row, int col) const {
  if (!IsValid(row, col)) return nullptr;
  const GridCell* cell = MadeCell(row, col);
  return cell ? cell : &Blank(row, col);
}

GridCell* CellTable::MadeCell(int row, int col) const {
  const auto& cells = m_rows[static_cast<std::size_t>(row)];
  return cells.empty() ? nullptr : cells[static_cast<std::size_t>(col)].get();
}

std::unique_ptr<GridCell>& CellTable::Slot(int row, int col) {
  auto& cells = m_rows[static_cast<std::size_t>(row)];
  if (cells.empty()) cells.resize(static_cast<std::size_t>(m_cols));
  return cells[static_cast<std::size_t>(col)];
}

GridCell& CellTable::Make(int row, int col) {
  std::unique_ptr<GridCell>& slot = Slot(row, col);
  if (!slot) slot = NewBlank(row, col);
  return *slot;
}

std::unique_ptr<GridCell> CellTable::NewBlank(int row, int col) const {
  const Column& column = m_columns[static_cast<std::size_t>(col)];
  std::unique_ptr<GridCell> cell;
  if (column.factory && !IsFixed(row, col)) cell = column.factory();
  if (!cell) cell = std::make_unique<GridCell>();
  if (IsLabel(row, col)) {
    cell->TakeOver(*column.fixedBlank);
    cell->SetText(BlankText(row, col));
  } else {
    cell->TakeOver(Blank(row, col));
  }
  return cell;
}

const GridCell& CellTable::Blank(int row, int col) const {
  const Column& column = m_columns[static_cast<std::size_t>(col)];
  if (IsLabel(row, col)) {
    const auto r = static_cast<std::size_t>(row);
    if (m_labels.size() <= r) m_labels.resize(m_rows.size());
    if (!m_labels[r]) m_labels[r] = NewBlank(row, col);
    return *m_labels[r];
  }
  if (IsFixed(row, col)) return *column.fixedBlank;
  return IsBanded(row) ? *column.bandedBlank : *column.dataBlank;
}

std::string CellTable::BlankText(int row, int col) const {
  if (IsLabel(row, col)) return std::to_string(*m_firstLabel + (row - m_fixedRows));
  return Blank(row, col).GetText();
}

bool CellTable::HasDataText() const {
  const int rows = GetRowCount();
  // A blank data cell reads as its column's blank of a plain or a banded row, or as its label.
  std::vector<std::array<bool, 2>> blankHasText(static_cast<std::size_t>(m_cols));
  std::array<bool, 2> anyBlankHasText{};
  for (int c = m_fixedCols; c < m_cols; ++c) {
    for (std::size_t banded = 0; banded < 2 && m_fixedRows + static_cast<int>(banded) < rows;
         ++banded) {
      const bool text = !BlankText(m_fixedRows + static_cast<int>(banded), c).empty();
      blankHasText[static_cast<std::size_t>(c)][banded] = text;
      anyBlankHasText[banded] = anyBlankHasText[banded] || text;
    }
  }
  for (int r = m_fixedRows; r < rows; ++r) {
    const auto& cells = m_rows[static_cast<std::size_t>(r)];
    const auto banded = static_cast<std::size_t>(IsBanded(r));
    if (cells.empty() && !anyBlankHasText[banded]) continue;
    for (int c = m_fixedCols; c < m_cols; ++c) {
      const auto col = static_cast<std::size_t>(c);
      const GridCell* cell = cells.empty() ? nullptr : cells[col].get();
      if (cell ? !cell->GetText().empty() : blankHasText[col][banded]) return true;
    }
  }
  return false;
}

bool CellTable::IsLabel(int row, int col) const {
  return m_firstLabel && col == 0 && row >= m_fixedRows;
}

bool CellTable::IsBanded(int row) const {
  return (row - m_fixedRows) % 2 == 1;
}

void CellTable::RebuildBlanks(Column& column) {
  auto make = [&column](CellFactory factory, Colour back) {
    std::unique_ptr<GridCell> cell = factory ? factory() : std::make_unique<GridCell>();
    cell->SetFormat(column.format);
    cell->SetBackColour(back);
    return cell;
  };
  column.fixedBlank = make(nullptr, kDefaultColour);
  column.dataBlank = make(column.factory, kDefaultColour);
  column.bandedBlank = make(column.factory, m_banding);
}

template <class Fn>
void CellTable::ForEachMadeCell(int col, int first, int last, Fn fn) {
  for (int r = first; r < last; ++r) {
    if (GridCell* cell = MadeCell(r, col)) fn(r, *cell);
  }
}

bool CellTable::SetColumnType(int col, CellFactory factory) {
  if (col < 0 || col >= m_cols || (factory && !factory())) return false;
  Column& column = m_columns[static_cast<std::size_t>(col)];
  column.factory = factory;
  RebuildBlanks(column);
  if (col >= m_fixedCols) {
    ForEachMadeCell(col, m_fixedRows, GetRowCount(), [&](int row, GridCell& cell) {
      std::unique_ptr<GridCell> typed = factory ? factory() : std::make_unique<GridCell>();
      typed->TakeOver(cell);
      Slot(row, col) = std::move(typed);
    });
  }
  NotifyLayout();
  return true;
}

bool CellTable::SetColumnFormat(int col, CellFormat format) {
  if (col < 0 || col >= m_cols) return false;
  Column& column = m_columns[static_cast<std::size_t>(col)];
  column.format = format;
  RebuildBlanks(column);
  if (col == 0) m_labels.clear();
  ForEachMadeCell(col, 0, GetRowCount(), [format](int, GridCell& cell) { cell.SetFormat(format); });
  NotifyLayout();
  return true;
}

void CellTable::SetRowBanding(Colour colour) {
  m_banding = colour;
  for (int c = 0; c < m_cols; ++c) {
    RebuildBlanks(m_columns[static_cast<std::size_t>(c)]);
    if (c < m_fixedCols) continue;
    ForEachMadeCell(c, m_fixedRows, GetRowCount(), [&](int row, GridCell& cell) {
      if (IsBanded(row)) cell.SetBackColour(colour);
    });
  }
  NotifyLayout();
}

void CellTable::SetRowLabels(int first) {
  m_firstLabel = first;
  m_labels.clear();
  NotifyLayout();
}

DefaultCell& CellTable::GetDefaultCell(bool fixedRow, bool fixedCol) {
  return m_defaultCells[(fixedRow ? 1 : 0) + (fixedCol ? 2 : 0)];
}

const DefaultCell& CellTable::GetDefaultCell(bool fixedRow, bool fixedCol) const {
  return m_defaultCells[(fixedRow ? 1 : 0) + (fixedCol ? 2 : 0)];
}

Colour CellTable::EffectiveBackColour(int row, int col) const {
  const GridCell* cell = GetCell(row, col);
  if (cell && cell->GetBackColour() != kDefaultColour) return cell->GetBackColour();
  return DefaultCellFor(row, col).GetBackColour();
}

Colour CellTable::EffectiveTextColour(int row, int col) const {
  const GridCell* cell = GetCell(row, col);
  if (cell && cell->GetTextColour() != kDefaultColour) return cell->GetTextColour();
  return DefaultCellFor(row, col).GetTextColour();
}

bool CellTable::IsCellEditable(int row, int col) const {
  // Headers and row labels are the sheet's layout, not its data: never edited in place.
  const GridCell* cell = GetCell(row, col);
  return m_editable && cell && !IsFixed(row, col) && !Has(cell->GetState(), CellState::ReadOnly);
}

bool CellTable::GetItemModified(int row, int col) const {
  const GridCell* cell = GetCell(row, col);
  return cell && Has(cell->GetState(), CellState::Modified);
}

CellId CellTable::SetFocusCell(int row, int col) {
  const CellId previous = m_focus;
  m_focus = IsValid(row, col) ? CellId{row, col} : CellId{};
  if (previous.IsValid()) NotifyCell(previous.row, previous.col);
  if (m_focus.IsValid()) NotifyCell(m_focus.row, m_focus.col);
  return previous;
}

void CellTable::EnableSelection(bool on) {
  m_selectionEnabled = on;
  if (!on) m_selected.clear();
  NotifyLayout();
}

bool CellTable::IsCellSelected(int row, int col) const {
  return m_selectionEnabled && IsValid(row, col) && m_selected.count(Key(row, col)) != 0;
}

std::vector<CellId> CellTable::GetSelectedCells() const {
  std::vector<CellId> cells;
  if (!m_selectionEnabled) return cells;
  cells.reserve(m_selected.size());
  for (std::uint32_t key : m_selected) {
    cells.push_back({static_cast<int>(key & 0xFFFF), static_cast<int>(key >> 16)});
  }
  std::sort(cells.begin(), cells.end(), [](const CellId& a, const CellId& b) {
    return a.row != b.row ? a.row < b.row : a.col < b.col;
  });
  return cells;
}

CellRange CellTable::GetSelectedBoundingRange() const {
  CellRange range;
  if (!m_selectionEnabled || m_selected.empty()) return range;
  range = {GetRowCount(), m_cols, -1, -1};
  for (std::uint32_t key : m_selected) {
    const int row = static_cast<int>(key & 0xFFFF);
    const int col = static_cast<int>(key >> 16);
    range.minRow = std::min(range.minRow, row);
    range.maxRow = std::max(range.maxRow, row);
    range.minCol = std::min(range.minCol, col);
    range.maxCol = std::max(range.maxCol, col);
  }
  return range;
}

void CellTable::ClearSelection() {
  if (m_selected.empty()) return;
  m_selected.clear();
  NotifyLayout();
}

void CellTable::SelectRange(const CellRange& range, bool keepPrevious) {
  if (!keepPrevious) m_selected.clear();
  if (m_selectionEnabled && range.IsValid()) {
    const int lastRow = std::min(range.maxRow, GetRowCount() - 1);
    const int lastCol = std::min(range.maxCol, m_cols - 1);
    for (int r = std::max(range.minRow, 0); r <= lastRow; ++r) {
      for (int c = std::max(range.minCol, 0); c <= lastCol; ++c) m_selected.insert(Key(r, c));
    }
  }
  NotifyLayout();
}

void CellTable::SelectCell(int row, int col, bool keepPrevious) {
  SelectRange({row, col, row, col}, keepPrevious);
}

void CellTable::SelectRows(int firstRow, int lastRow, bool keepPrevious) {
  SelectRange({std::min(firstRow, lastRow), m_fixedCols, std::max(firstRow, lastRow), m_cols - 1},
              keepPrevious);
}

void CellTable::SelectColumns(int firstCol, int lastCol, bool keepPrevious) {
  SelectRange(
      {m_fixedRows, std::min(firstCol, lastCol), GetRowCount() - 1, std::max(firstCol, lastCol)},
      keepPrevious);
}

void CellTable::SelectAll() {
  SelectRange(DataRange(), false);
}

void CellTable::SetSelectedCells(const std::vector<CellId>& cells) {
  m_selected.clear();
  if (m_selectionEnabled) {
    for (const CellId& id : cells) {
      if (IsValid(id.row, id.col)) m_selected.insert(Key(id.row, id.col));
    }
  }
  NotifyLayout();
}

CellRange CellTable::DataRange() const {
  if (m_fixedRows >= GetRowCount() || m_fixedCols >= m_cols) return {};
  return {m_fixedRows, m_fixedCols, GetRowCount() - 1, m_cols - 1};
}

void CellTable::DropSelectionOutside() {
  for (auto it = m_selected.begin(); it != m_selected.end();) {
    const int row = static_cast<int>(*it & 0xFFFF);
    const int col = static_cast<int>(*it >> 16);
    it = IsValid(row, col) ? std::next(it) : m_selected.erase(it);
  }
  if (m_focus.IsValid() && !IsValid(m_focus.row, m_focus.col)) m_focus = {};
}

}  // namespace nuvrel::grid
