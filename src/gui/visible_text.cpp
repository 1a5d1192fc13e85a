// SPDX-License-Identifier: MIT
#include "gui/visible_text.h"

#include <algorithm>
#include <limits>

#include "gui/text_codec.h"

namespace nuvrel::gui {
namespace {

// A part that does not yet fill its width (zero-width characters, kerning) is doubled until it
// does, but never past this many times the first guess.
constexpr qsizetype kMaxGrowth = 16;

}  // namespace

int VisibleText::NarrowestGlyph() const {
  if (m_narrowest == 0) {
    int narrowest = std::numeric_limits<int>::max();
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
      const char c = static_cast<char>(byte);
      const int advance = m_metrics.horizontalAdvance(FromCp1251(std::string_view(&c, 1)).at(0));
      if (advance > 0) narrowest = std::min(narrowest, advance);
    }
    m_narrowest = narrowest == std::numeric_limits<int>::max() ? 1 : narrowest;
  }
  return m_narrowest;
}

template <class Part>
QString VisibleText::Cut(qsizetype length, int width, Qt::Alignment alignment, Part part) const {
  width = std::max(width, 0);
  // No character that shows is narrower than a pixel: a text this short is taken whole without
  // measuring anything, which is what every ordinary cell text is.
  if (length <= qsizetype{width} + 1) return part(0, length);
  // Enough characters to cover the width at the narrowest glyph, and one more so that a text cut
  // here is wider than the line.
  qsizetype count = width / NarrowestGlyph() + 2;
  const qsizetype limit = count * kMaxGrowth;
  for (;;) {
    if (count >= length) return part(0, length);
    qsizetype offset = 0;
    if (alignment & Qt::AlignRight) {
      offset = length - count;
    } else if (alignment & Qt::AlignHCenter) {
      offset = (length - count) / 2;
    }
    QString shown = part(offset, count);
    if (count >= limit || m_metrics.horizontalAdvance(shown) > width) return shown;
    count *= 2;
  }
}

QString VisibleText::Of(std::string_view bytes, int width, Qt::Alignment alignment) const {
  return Cut(static_cast<qsizetype>(bytes.size()), width, alignment,
             [bytes](qsizetype offset, qsizetype count) {
               return FromCp1251(
                   bytes.substr(static_cast<std::size_t>(offset), static_cast<std::size_t>(count)));
             });
}

QString VisibleText::Of(const QString& text, int width, Qt::Alignment alignment) const {
  return Cut(text.size(), width, alignment,
             [&text](qsizetype offset, qsizetype count) { return text.mid(offset, count); });
}

}  // namespace nuvrel::gui
