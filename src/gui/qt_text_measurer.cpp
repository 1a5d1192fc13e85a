// SPDX-License-Identifier: MIT
#include "gui/qt_text_measurer.h"

#include <algorithm>

namespace nuvrel::gui {

grid::Size QtTextMeasurer::TextExtent(std::string_view text) const {
  const int width = m_metrics.horizontalAdvance(m_visible.Of(text, kMaxTextWidth));
  return {std::min(width, kMaxTextWidth), m_metrics.height()};
}

}  // namespace nuvrel::gui
