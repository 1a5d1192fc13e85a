// SPDX-License-Identifier: MIT
// Text extents in a real Qt font, so that the core's auto-sized columns fit what the grid draws.
#pragma once

#include <QFont>
#include <QFontMetrics>

#include "grid/text_measurer.h"

namespace nuvrel::gui {

class QtTextMeasurer final : public grid::TextMeasurer {
 public:
  // Measures in `font`; needs a QGuiApplication.
  explicit QtTextMeasurer(const QFont& font) : m_metrics(font) {}

  // The advance of the Windows-1251 text in the font, and the font's line height.
  grid::Size TextExtent(std::string_view text) const override;

 private:
  QFontMetrics m_metrics;
};

}  // namespace nuvrel::gui
