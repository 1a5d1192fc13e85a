// SPDX-License-Identifier: MIT
#include "grid/cell.h"

#include "grid/text_measurer.h"

namespace nuvrel::grid {

Size GridCellBase::CellExtent(const TextMeasurer& measurer, int margin) const {
  const Size text = measurer.TextExtent(DisplayText());
  return {text.width + measurer.Overhang() + 4 * margin, text.height + 2 * margin};
}

void GridCell::TakeOver(const GridCell& other) {
  m_text = other.m_text;
  m_format = other.m_format;
  m_textColour = other.m_textColour;
  m_backColour = other.m_backColour;
  m_state = other.m_state;
}

void DefaultCell::SetFont(const TextMeasurer* measurer) {
  if (!measurer) {
    m_margin = 3;
    m_width = 40;
    m_height = 16;
    return;
  }
  m_margin = measurer->TextExtent(" ").width;
  const Size sample = measurer->TextExtent(" XXXXXXXXXXXX ");
  m_width = sample.width;
  m_height = sample.height * 3 / 2;
}

const TextMeasurer& SheetFontMetrics() {
  static const FixedPitchMeasurer metrics(8, 16);
  return metrics;
}

}  // namespace nuvrel::grid
