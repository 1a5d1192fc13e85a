// SPDX-License-Identifier: MIT
// How wide and high a text is in the grid's font. The desktop program measures with the real font;
// the command-line tool and the tests use a fixed-pitch stand-in.
#pragma once

#include <string_view>

#include "grid/types.h"

namespace nuvrel::grid {

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // The text's width and height in pixels (height: the font's line height, also for "").
  virtual Size TextExtent(std::string_view text) const = 0;
  // Extra width that italic or bold fonts draw beyond their advance.
  virtual int Overhang() const { return 0; }
};

// Every byte is charWidth wide, every line charHeight high: a fixed-pitch font such as the sheets'.
class FixedPitchMeasurer final : public TextMeasurer {
 public:
  FixedPitchMeasurer(int charWidth, int charHeight) : m_width(charWidth), m_height(charHeight) {}
  Size TextExtent(std::string_view text) const override {
    return {static_cast<int>(text.size()) * m_width, m_height};
  }

 private:
  int m_width;
  int m_height;
};

// A measurer with the metrics of the sheets' font (Courier New, 14 pixels high).
const TextMeasurer& SheetFontMetrics();

}  // namespace nuvrel::grid
