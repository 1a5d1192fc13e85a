// SPDX-License-Identifier: MIT
#include "sheets/cell_types.h"

#include <algorithm>

#include "grid/text_measurer.h"
#include "sheets/decimal_text.h"

namespace nuvrel::sheets {
namespace {

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

constexpr int kBarcodeDigits = 12;

}  // namespace

std::string NormaliseAmount(std::string_view text, int decimals) {
  std::string dotted(text);
  std::replace(dotted.begin(), dotted.end(), ',', '.');
  const auto value = WholeDecimal(dotted);
  // Negative zero is not below zero, so it is formatted like any other number.
  if (value && *value >= 0.0) return FixedDecimals(*value, decimals);
  return dotted;
}

void BarcodeCell::SetText(std::string_view text) {
  if (text.empty() || !AllDigits(text)) {
    StoreText({});
    return;
  }
  // The number itself, on the decimal string: leading zeros dropped, padded to twelve digits, every
  // digit of a long barcode kept exactly.
  const std::size_t firstNonZero = text.find_first_not_of('0');
  std::string digits(firstNonZero == std::string_view::npos ? std::string_view("0")
                                                            : text.substr(firstNonZero));
  if (digits.size() < kBarcodeDigits) digits.insert(0, kBarcodeDigits - digits.size(), '0');
  StoreText(std::move(digits));
}

grid::EditSpec BarcodeCell::Edit() const {
  return {grid::EditAlignment::Right, true, kBarcodeDigits, false};
}

void OneCharCell::SetText(std::string_view text) {
  StoreText(text.size() == 1 ? std::string(text) : std::string());
}

grid::EditSpec OneCharCell::Edit() const {
  return {grid::EditAlignment::Center, false, 1, false};
}

void OneDigitCell::SetText(std::string_view text) {
  StoreText(text.size() == 1 && AllDigits(text) ? std::string(text) : std::string());
}

grid::EditSpec OneDigitCell::Edit() const {
  return {grid::EditAlignment::Center, true, 1, false};
}

void PriceCell::SetText(std::string_view text) {
  StoreText(NormaliseAmount(text, 2));
}

grid::EditSpec PriceCell::Edit() const {
  return {grid::EditAlignment::Right, false, 30, false};
}

void QuantityCell::SetText(std::string_view text) {
  StoreText(NormaliseAmount(text, 3));
}

grid::EditSpec QuantityCell::Edit() const {
  return {grid::EditAlignment::Right, false, 30, false};
}

void CheckBoxCell::SetText(std::string_view text) {
  m_checked = !(text.empty() || text == "0");
  StoreText({});
}

bool CheckBoxCell::OnClick(int x, int y, int) {
  const bool inBox =
      x >= kBoxOffset && x < kBoxOffset + kBoxSide && y >= kBoxOffset && y < kBoxOffset + kBoxSide;
  if (inBox) m_checked = !m_checked;
  return inBox;
}

grid::Size CheckBoxCell::CellExtent(const grid::TextMeasurer&, int margin) const {
  const int side = kBoxSide + 2 * margin;
  return {side, side};
}

}  // namespace nuvrel::sheets
