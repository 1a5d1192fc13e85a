// SPDX-License-Identifier: MIT
// The part of a long cell text that is laid out for one line.
#include "gui/visible_text.h"

#include <gtest/gtest.h>

#include <string>

#include "grid_widget_fixture.h"

namespace nuvrel::gui {
namespace {

TEST(VisibleText, AShortTextIsWholeALongOneCutToWhatOverflowsTheLineAtItsAlignedEnd) {
  const QFontMetrics metrics(testing::SheetTestFont());
  const VisibleText visible(metrics);
  const std::string digits = "0123456789";
  std::string longText;
  while (longText.size() < 100'000) longText.append(digits);
  const QString whole = QString::fromStdString(longText);
  constexpr int kWidth = 200;
  const qsizetype most = kWidth / visible.NarrowestGlyph() + 2;

  EXPECT_EQ(visible.Of(std::string_view("Sir"), kWidth), "Sir");
  EXPECT_EQ(visible.Of(std::string_view("\xC1\xE0\xED\xE0\xED\xE0"), kWidth), "Банана");
  const struct {
    const char* name;
    Qt::Alignment alignment;
  } cases[] = {{"left", Qt::AlignLeft}, {"right", Qt::AlignRight}, {"centre", Qt::AlignHCenter}};
  for (const auto& c : cases) {
    const QString part = visible.Of(longText, kWidth, c.alignment);
    ASSERT_LE(part.size(), most) << c.name;
    EXPECT_GT(metrics.horizontalAdvance(part), kWidth) << c.name;
    const qsizetype rest = whole.size() - part.size();
    const qsizetype at = c.alignment == Qt::AlignLeft    ? 0
                         : c.alignment == Qt::AlignRight ? rest
                                                         : rest / 2;
    EXPECT_EQ(part, whole.mid(at, part.size())) << c.name;
    EXPECT_EQ(visible.Of(whole, kWidth, c.alignment), part) << c.name;
  }
}

}  // namespace
}  // namespace nuvrel::gui
