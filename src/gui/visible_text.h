// SPDX-License-Identifier: MIT
// The part of a cell text that one line of a given width can show. A cell draws its text on one
// line clipped to the cell, so however long the text, only so many characters can appear; the grid,
// the title tip, the in-place edit's widening, the column sizing and the printer lay out that part
// alone, and a cell of ten megabytes costs no more to show than a full cell of ordinary text.
#pragma once

#include <QFontMetrics>
#include <QString>
#include <string_view>

namespace nuvrel::gui {

class VisibleText {
 public:
  // Texts as they are drawn in the font of `metrics`.
  explicit VisibleText(const QFontMetrics& metrics) : m_metrics(metrics) {}

  // The Windows-1251 `bytes` converted for display and cut down to what a line `width` pixels wide
  // shows when aligned as `alignment`: the start for left (and for a text that will be elided),
  // the end for right, the middle for centred. A text that was cut is still wider than `width`,
  // so eliding it gives what eliding the whole text gives.
  QString Of(std::string_view bytes, int width, Qt::Alignment alignment = Qt::AlignLeft) const;
  // The same for a text already converted.
  QString Of(const QString& text, int width, Qt::Alignment alignment = Qt::AlignLeft) const;

  // The advance of the narrowest printable Windows-1251 character that has any, at least 1.
  int NarrowestGlyph() const;

 private:
  // The part of a text of `length` characters to show; `part(offset, count)` converts that much.
  template <class Part>
  QString Cut(qsizetype length, int width, Qt::Alignment alignment, Part part) const;

  QFontMetrics m_metrics;
  mutable int m_narrowest = 0;  // 0: not measured yet
};

}  // namespace nuvrel::gui
