// SPDX-License-Identifier: MIT
// Text extents in a real Qt font, so that the core's auto-sized columns fit what the grid draws.
#pragma once

#include <QFont>
#include <QFontMetrics>

#include "grid/text_measurer.h"
#include "gui/visible_text.h"

namespace nuvrel::gui {

class QtTextMeasurer final : public grid::TextMeasurer {
 public:
  // No text measures wider than this, so an auto-sized column never gets wider: far more than any
  // screen shows, and a long text is laid out only this far.
  static constexpr int kMaxTextWidth = 8192;

  // Measures in `font`; needs a QGuiApplication.
  explicit QtTextMeasurer(const QFont& font) : m_metrics(font), m_visible(m_metrics) {}

  // The advance of the Windows-1251 text in the font (at most kMaxTextWidth), and the font's line
  // height.
  grid::Size TextExtent(std::string_view text) const override;

 private:
  QFontMetrics m_metrics;
  VisibleText m_visible;
};

}  // namespace nuvrel::gui
