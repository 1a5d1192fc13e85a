// SPDX-License-Identifier: MIT
// The cell classes of the sheets' numeric and code columns. Each normalises every text stored into
// it (typed, pasted, read from a file, received from the register) and tells the in-place edit what
// may be typed. A cell never refuses a text with a message: it stores the normalised text, which
// may be empty; the uploads check ranges and lengths when a sheet is sent.
#pragma once

#include "grid/cell.h"

namespace nuvrel::sheets {

// Empty, or at least 12 decimal digits, zero-padded on the left. Anything but digits empties it.
class BarcodeCell final : public grid::GridCell {
 public:
  void SetText(std::string_view text) override;
  grid::EditSpec Edit() const override;
};

// Empty, or exactly one character.
class OneCharCell final : public grid::GridCell {
 public:
  void SetText(std::string_view text) override;
  grid::EditSpec Edit() const override;
};

// Empty, or exactly one decimal digit.
class OneDigitCell final : public grid::GridCell {
 public:
  void SetText(std::string_view text) override;
  grid::EditSpec Edit() const override;
};

// A non-negative number with two decimals; commas read as decimal points; any other text as typed.
class PriceCell final : public grid::GridCell {
 public:
  void SetText(std::string_view text) override;
  grid::EditSpec Edit() const override;
};

// As the price, with three decimals.
class QuantityCell final : public grid::GridCell {
 public:
  void SetText(std::string_view text) override;
  grid::EditSpec Edit() const override;
};

// A check box: no text of its own, a check state instead. "" and "0" clear it, anything else sets
// it.
class CheckBoxCell final : public grid::GridCell {
 public:
  // The side of the box, and where it sits: this far right of and below the cell's top-left corner.
  static constexpr int kBoxSide = 16;
  static constexpr int kBoxOffset = 2;

  void SetText(std::string_view text) override;
  void RestoreText(std::string_view text) override { SetText(text); }
  std::string GetText() const override { return m_checked ? "1" : "0"; }
  std::string_view DisplayText() const override { return {}; }
  // A click inside the box toggles the state.
  bool OnClick(int x, int y, int margin) override;
  grid::Size CellExtent(const grid::TextMeasurer& measurer, int margin) const override;

  bool IsChecked() const { return m_checked; }
  void SetChecked(bool checked) { m_checked = checked; }

 private:
  bool m_checked = false;
};

// The price rule on its own, for code that formats the same way: the text with commas made points,
// and when that is wholly a non-negative number, that number with `decimals` decimals.
std::string NormaliseAmount(std::string_view text, int decimals);

}  // namespace nuvrel::sheets
