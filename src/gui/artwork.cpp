// SPDX-License-Identifier: MIT
#include "gui/artwork.h"

#include <QPainter>

#include "gui/title_pixels.h"

namespace nuvrel::gui {

QPixmap TitlePicture() {
  const TitlePixels pixels = TitlePicturePixels();
  const QImage picture(reinterpret_cast<const uchar*>(pixels.rgb), pixels.width, pixels.height,
                       QImage::Format_RGB32);
  return QPixmap::fromImage(picture);
}

QImage BuiltInLogo() {
  QImage logo(384, 80, QImage::Format_Indexed8);
  logo.setColorCount(2);
  logo.setColor(0, qRgb(255, 255, 255));
  logo.setColor(1, qRgb(0, 0, 0));
  QImage drawing(384, 80, QImage::Format_RGB32);
  drawing.fill(Qt::white);
  {
    QPainter p(&drawing);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(Qt::black, 3));
    p.drawRect(2, 2, 379, 75);
    QFont font("Liberation Sans");
    font.setPixelSize(40);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 0, 384, 80), Qt::AlignCenter, "YOUR SHOP");
  }
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 384; ++x) logo.setPixel(x, y, qGray(drawing.pixel(x, y)) < 128 ? 1 : 0);
  }
  return logo;
}

}  // namespace nuvrel::gui
