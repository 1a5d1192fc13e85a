// SPDX-License-Identifier: MIT
// The grid widget: draws a cell table, scrolls it under its fixed header row and label column,
// selects with mouse and keys, resizes columns, edits cells in place, shows title tips for cells
// too narrow for their text, and moves text to and from the clipboard. It keeps no cell data of
// its own: it observes the table and repaints what changed.
#pragma once

#include <QAbstractScrollArea>
#include <QFont>
#include <QPoint>
#include <QTimer>
#include <vector>

#include "grid/cell_table.h"
#include "gui/cell_editor.h"
#include "gui/grid_geometry.h"

namespace nuvrel::gui {

class CellTitleTip;

// Row by row, then column by column.
inline bool CellOrder(const grid::CellId& a, const grid::CellId& b) {
  return a.row != b.row ? a.row < b.row : a.col < b.col;
}

class GridWidget : public QAbstractScrollArea, private grid::TableObserver {
  Q_OBJECT

 public:
  // A widget over `table`, which must outlive it; the widget becomes the table's observer.
  explicit GridWidget(grid::CellTable& table, QWidget* parent = nullptr);
  ~GridWidget() override;

  grid::CellTable& Table() { return m_table; }
  const grid::CellTable& Table() const { return m_table; }

  // The font the cells are drawn and edited in.
  void SetGridFont(const QFont& font);
  const QFont& GridFont() const { return m_font; }

  // Whether the header cells of the focus cell's row and column are drawn pressed in (on by
  // default).
  void SetTrackFocusCell(bool on);
  bool GetTrackFocusCell() const { return m_trackFocus; }

  // Ends an edit in progress on the focus cell, storing its text; nothing when none is. Returns
  // false when the edit stays open: its text holds characters a sheet cannot hold and the person
  // went back to editing it.
  bool EndEditing();
  bool IsEditing() const { return m_editor != nullptr; }
  // The in-place edit's current text; empty when not editing.
  QString EditText() const;
  // The in-place edit, or nullptr when not editing.
  CellEditor* Editor() const { return m_editor; }

  // The selection to the clipboard, then emptied; only on an editable grid.
  void OnEditCut();
  // The selection to the clipboard as TAB-separated lines; nothing when nothing is selected.
  void OnEditCopy();
  // The clipboard's text into the grid at the selection's top-left corner (or into the in-place
  // edit when that cell is being edited); only on an editable grid.
  void OnEditPaste();
  void OnEditSelectAll();

  // The cells drawn marked (a tint and a corner triangle): those that differ from the register.
  void SetMarkedCells(std::vector<grid::CellId> cells);
  // Row by row, column by column.
  const std::vector<grid::CellId>& MarkedCells() const { return m_marked; }

  // Scrolls the least needed to show the cell whole (a fixed row or column needs no scrolling).
  void EnsureVisible(int row, int col);
  // The first non-fixed cell on screen (invalid when the grid has no shown data cell).
  grid::CellId TopLeftVisibleCell() const;
  // The cell's rectangle in viewport coordinates; empty when it is not on screen.
  QRect CellRect(int row, int col) const;

 signals:
  // Right button released, or the menu key or Shift+F10 pressed, at this global position (under
  // the focus cell for a key).
  void contextMenuRequested(const QPoint& globalPos);
  void focusCellChanged();
  void editTextChanged();
  // The person changed cells: an edit stored, a paste, a cut, Delete, a check box clicked.
  void edited();
  // The person went back to an edit that was ending, which may have been on its way out of sight
  // (a switch to another sheet, say).
  void editResumed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool viewportEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  enum class MouseMode {
    None,
    SelectAll,
    SelectColumns,
    SelectRows,
    SelectCells,
    PrepareEdit,
    SizeColumn,
    SizeRow
  };

  // grid::TableObserver
  void CellChanged(int row, int col) override;
  void LayoutChanged() override;

  GridGeometry Geometry() const;
  int TopRow() const;
  int LeftColumn() const;
  void UpdateScrollBars();
  void UpdatePageSteps();
  void OnScrolled();
  bool NoticeFocusChange();
  // Where a menu asked for from the keyboard opens, in global coordinates.
  QPoint KeyboardMenuPos() const;

  // Mouse (grid_widget_mouse.cpp).
  // A divider the mouse can grab: the column (row) it resizes and where it stands.
  struct Divider {
    int index = -1;
    int edge = 0;
    bool IsValid() const { return index >= 0; }
  };
  Divider ColumnDividerAt(const GridGeometry& geometry, QPoint pos) const;
  Divider RowDividerAt(const GridGeometry& geometry, QPoint pos) const;
  grid::CellId ClampToData(grid::CellId cell) const;
  void ExtendSelection(grid::CellId current);
  void DragSelectTo(QPoint pos);
  void OnAutoScroll();
  bool ClickCheckBox(grid::CellId cell, QPoint pos);
  void UpdateCursor(const GridGeometry& geometry, QPoint pos);
  void UpdateTitleTip(QPoint pos);
  void HideTitleTip();
  void UpdateTrackLine(int pos);

  // Keys (grid_widget_keys.cpp).
  bool MoveFocus(int key, Qt::KeyboardModifiers modifiers);
  void MoveTo(grid::CellId next, bool extend);

  // Editing (grid_widget_edit.cpp).
  bool StartEdit(int row, int col, CellEditor::Start start, QChar character = {});
  bool OnEditEnd(int key, Qt::KeyboardModifiers modifiers);
  void ResumeEditing();
  void PlaceEditor();

  grid::CellTable& m_table;
  QFont m_font;
  std::vector<grid::CellId> m_marked;
  bool m_trackFocus = true;
  grid::CellId m_lastFocus;

  MouseMode m_mouseMode = MouseMode::None;
  grid::CellId m_selectionStart;
  grid::CellId m_pressCell;
  grid::CellId m_dragCell;   // the cell the drag last reached
  bool m_selecting = false;  // the focus moves as part of a selection
  std::vector<grid::CellId> m_keptSelection;
  bool m_keepSelection = false;
  QPoint m_pressPos;
  QPoint m_lastMousePos;
  int m_sizingIndex = -1;
  int m_sizingStart = 0;  // the width or height when the drag began
  int m_sizingEdge = 0;   // where its divider stood then
  int m_trackLine = -1;
  QTimer m_autoScroll;
  int m_wheelRemainderX = 0;
  int m_wheelRemainderY = 0;

  CellTitleTip* m_titleTip = nullptr;

  CellEditor* m_editor = nullptr;
  grid::CellId m_editCell;
  bool m_endingEdit = false;
  // The person has just gone back to editing; until the event that ended the edit is over, what
  // else would end it leaves it open without asking again.
  bool m_resumed = false;
};

}  // namespace nuvrel::gui
