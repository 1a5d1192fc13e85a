// SPDX-License-Identifier: MIT
// Every toolbar and application icon loads from the program's resources (the PNGs the build
// renders, or the SVG files and the icon engine that reads them), and the style's standard icons
// read late come out as the style draws them.
#include "gui/icons.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>
#include <memory>

#include "gui/deferred_icon_style.h"

namespace nuvrel::gui {
namespace {

bool MiddleRowDrawn(const QImage& picture) {
  bool drawn = false;
  const int middle = picture.height() / 2;
  for (int x = 0; x < picture.width(); ++x) drawn = drawn || qAlpha(picture.pixel(x, middle)) > 0;
  return drawn;
}

TEST(Icons, EveryIconIsDrawnAtAnySizeAndOtherwiseWhenDisabled) {
  for (int id = 0; id <= static_cast<int>(IconId::Application); ++id) {
    EXPECT_TRUE(MiddleRowDrawn(MakeIcon(static_cast<IconId>(id)).pixmap(16, 16).toImage()))
        << "icon " << id;
  }
  const QIcon icon = MakeIcon(IconId::SendAll);
  for (int side : {16, 24, 32, 40}) {
    const QPixmap picture = icon.pixmap(QSize(side, side), 1.0);
    EXPECT_LE(picture.width(), side);
    EXPECT_GE(picture.width(), std::min(side, 32)) << side;
    EXPECT_TRUE(MiddleRowDrawn(picture.toImage())) << side;
  }
  EXPECT_NE(icon.pixmap(QSize(16, 16), 1.0, QIcon::Disabled).toImage(),
            icon.pixmap(QSize(16, 16), 1.0).toImage());
}

TEST(DeferredIconStyle, StandardIconsComeOutAsTheStyleDrawsThem) {
  DeferredIconStyle deferred;
  const std::unique_ptr<QStyle> plain(QStyleFactory::create(deferred.baseStyle()->name()));
  ASSERT_TRUE(plain);
  QStyleOption option;
  option.direction = Qt::RightToLeft;
  const QStyleOption* const asks[] = {nullptr, &option};
  for (const QStyleOption* asked : asks) {
    for (QStyle::StandardPixmap which :
         {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_TitleBarCloseButton}) {
      const QIcon late = deferred.standardIcon(which, asked);
      EXPECT_FALSE(late.isNull());
      EXPECT_EQ(late.pixmap(QSize(16, 16), 1.0).toImage(),
                plain->standardIcon(which, asked).pixmap(QSize(16, 16), 1.0).toImage())
          << which;
    }
  }
}

}  // namespace
}  // namespace nuvrel::gui
