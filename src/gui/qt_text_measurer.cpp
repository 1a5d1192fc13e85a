// SPDX-License-Identifier: MIT
#include "gui/qt_text_measurer.h"

#include "gui/text_codec.h"

namespace nuvrel::gui {

grid::Size QtTextMeasurer::TextExtent(std::string_view text) const {
  return {m_metrics.horizontalAdvance(FromCp1251(text)), m_metrics.height()};
}

}  // namespace nuvrel::gui
