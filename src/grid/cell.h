// SPDX-License-Identifier: MIT
// The cells of a grid: the abstract cell, the plain text cell, and the default cells that carry the
// attributes a cell does not set itself.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "grid/types.h"

namespace nuvrel::grid {

class TextMeasurer;

enum class EditAlignment { Left, Center, Right };

// How the in-place edit behaves for a cell: alignment, which characters it takes, how many.
struct EditSpec {
  EditAlignment alignment = EditAlignment::Left;
  bool digitsOnly = false;
  int lengthLimit = 0;              // 0: no limit
  bool alignmentFromFormat = true;  // the plain cell's edit follows its format's alignment
};

class GridCellBase {
 public:
  virtual ~GridCellBase() = default;

  // Stores a text; cell classes normalise it first.
  virtual void SetText(std::string_view text) = 0;
  // Puts back a text that GetText once gave, exactly as it was (an undo must not normalise again).
  virtual void RestoreText(std::string_view text) = 0;
  virtual std::string GetText() const = 0;
  // The text drawn on screen (empty for a cell that draws something else, such as a check box),
  // without a copy: it stays valid while the cell's text is unchanged.
  virtual std::string_view DisplayText() const = 0;
  // The text of the title tip, likewise.
  virtual std::string_view GetTipText() const { return DisplayText(); }

  virtual void SetFormat(CellFormat format) = 0;
  virtual CellFormat GetFormat() const = 0;
  virtual void SetTextColour(Colour c) = 0;
  virtual Colour GetTextColour() const = 0;
  virtual void SetBackColour(Colour c) = 0;
  virtual Colour GetBackColour() const = 0;
  // Kept state bits (read-only, modified); the others come from the grid.
  virtual void SetState(CellState state) = 0;
  virtual CellState GetState() const = 0;

  // The in-place edit for this cell.
  virtual EditSpec Edit() const = 0;
  // Whether an edited text may be stored.
  virtual bool ValidateEdit(std::string_view) const { return true; }
  // A click at a point relative to the cell's top-left corner; true when it changed the cell.
  virtual bool OnClick(int /*x*/, int /*y*/, int /*margin*/) { return false; }
  // The size the cell needs to show its text: text extent plus four margins wide, two margins high.
  virtual Size CellExtent(const TextMeasurer& measurer, int margin) const;
};

// The plain text cell: any text of any length.
class GridCell : public GridCellBase {
 public:
  void SetText(std::string_view text) override { m_text.assign(text); }
  void RestoreText(std::string_view text) override { m_text.assign(text); }
  std::string GetText() const override { return m_text; }
  std::string_view DisplayText() const override { return m_text; }
  void SetFormat(CellFormat format) override { m_format = format; }
  CellFormat GetFormat() const override { return m_format; }
  void SetTextColour(Colour c) override { m_textColour = c; }
  Colour GetTextColour() const override { return m_textColour; }
  void SetBackColour(Colour c) override { m_backColour = c; }
  Colour GetBackColour() const override { return m_backColour; }
  void SetState(CellState state) override { m_state = state; }
  CellState GetState() const override { return m_state; }
  EditSpec Edit() const override { return {}; }

  // Takes over another cell's text (as it stands, not normalised again), format, colours and state:
  // a cell replaced by one of another class keeps what its predecessor held.
  void TakeOver(const GridCell& other);

 protected:
  // Stores a text exactly as given, for classes that have normalised it.
  void StoreText(std::string text) { m_text = std::move(text); }
  const std::string& StoredText() const { return m_text; }

 private:
  std::string m_text;
  CellFormat m_format = CellFormat::SheetBase;
  Colour m_textColour = kDefaultColour;
  Colour m_backColour = kDefaultColour;
  CellState m_state = CellState::None;
};

// One of the grid's four default cells: the colours, margin and default size that cells of its kind
// take when they have none of their own.
class DefaultCell final : public GridCell {
 public:
  int Margin() const { return m_margin; }
  int DefaultWidth() const { return m_width; }
  int DefaultHeight() const { return m_height; }
  // Recomputes margin and default size from the font: the margin is one blank wide, the default
  // width is that of " XXXXXXXXXXXX " and the default height one and a half times its height.
  // Without a font: margin 3, size 40 x 16.
  void SetFont(const TextMeasurer* measurer);

 private:
  int m_margin = 3;
  int m_width = 40;
  int m_height = 16;
};

using CellFactory = std::unique_ptr<GridCell> (*)();

template <class T>
std::unique_ptr<GridCell> MakeCell() {
  return std::make_unique<T>();
}

}  // namespace nuvrel::grid
