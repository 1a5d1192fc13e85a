// SPDX-License-Identifier: MIT
// Every toolbar and application icon loads from the program's resources (the SVG files and the
// icon engine that reads them are there).
#include "gui/icons.h"

#include <gtest/gtest.h>

namespace nuvrel::gui {
namespace {

TEST(Icons, EveryIconHasAPicture) {
  for (int id = 0; id <= static_cast<int>(IconId::Application); ++id) {
    const QImage picture = MakeIcon(static_cast<IconId>(id)).pixmap(16, 16).toImage();
    ASSERT_FALSE(picture.isNull()) << "icon " << id;
    // Not blank: the middle row has some opaque pixel.
    bool drawn = false;
    for (int x = 0; x < picture.width(); ++x) drawn = drawn || qAlpha(picture.pixel(x, 8)) > 0;
    EXPECT_TRUE(drawn) << "icon " << id;
  }
}

}  // namespace
}  // namespace nuvrel::gui
