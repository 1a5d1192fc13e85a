// SPDX-License-Identifier: MIT
#include "gui/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "app/version.h"
#include "gui/icons.h"

namespace nuvrel::gui {
namespace {

const QColor kPaper(252, 252, 248);
const QColor kAmber(232, 170, 40);
const QColor kSteel(120, 128, 140);

}  // namespace

QPixmap TitlePicture() {
  constexpr int kWidth = 450;
  constexpr int kHeight = 300;
  QPixmap pixmap(kWidth, kHeight);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);

  QLinearGradient sky(0, 0, kWidth, kHeight);
  sky.setColorAt(0, QColor(22, 56, 102));
  sky.setColorAt(1, QColor(12, 28, 54));
  p.fillRect(pixmap.rect(), sky);

  // A faint sheet grid behind everything: the program's work is tables.
  p.setPen(QPen(QColor(255, 255, 255, 18), 1));
  for (int x = 0; x < kWidth; x += 24) p.drawLine(x, 0, x, kHeight);
  for (int y = 0; y < kHeight; y += 18) p.drawLine(0, y, kWidth, y);

  // The register, large, on the right, with a receipt rising from it.
  p.save();
  p.translate(262, 66);
  p.scale(10.5, 10.5);
  p.setOpacity(0.95);
  p.setPen(QPen(QColor(255, 255, 255, 200), 0.12));
  p.setBrush(kPaper);
  QPainterPath receipt;
  receipt.moveTo(9, 0.2);
  receipt.lineTo(14.5, 0.2);
  receipt.lineTo(14.5, 8);
  receipt.lineTo(9, 8);
  receipt.closeSubpath();
  p.drawPath(receipt);
  p.setPen(QPen(kSteel, 0.25));
  for (int i = 0; i < 6; ++i)
    p.drawLine(QPointF(9.7, 1.2 + i), QPointF(13.8 - (i % 3) * 0.8, 1.2 + i));
  p.restore();
  // The application icon is the register on a 16-unit grid, drawn at one unit from its corner.
  constexpr int kUnit = 11;
  MakeIcon(IconId::Application).paint(&p, QRect(250 - kUnit, 92 - kUnit, 16 * kUnit, 16 * kUnit));

  p.setPen(Qt::white);
  QFont title("Liberation Sans");
  title.setPixelSize(54);
  title.setBold(true);
  title.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
  p.setFont(title);
  p.drawText(QRect(28, 52, 260, 64), Qt::AlignLeft | Qt::AlignVCenter, "Nuvrel");

  QFont subtitle("Liberation Sans");
  subtitle.setPixelSize(17);
  p.setFont(subtitle);
  p.setPen(QColor(170, 205, 245));
  p.drawText(QRect(30, 118, 240, 24), Qt::AlignLeft | Qt::AlignVCenter,
             "Serbian Edition v" NUVREL_VERSION);

  p.setPen(QPen(kAmber, 3));
  p.drawLine(30, 152, 118, 152);

  QFont body("Liberation Sans");
  body.setPixelSize(13);
  p.setFont(body);
  p.setPen(QColor(220, 230, 242));
  p.drawText(QRect(30, 166, 220, 60), Qt::AlignLeft | Qt::TextWordWrap,
             "Articles, operators, departments and reports of your cash register, in sheets.");

  QFont small("Liberation Sans");
  small.setPixelSize(11);
  p.setFont(small);
  p.setPen(QColor(140, 165, 200));
  p.drawText(QRect(30, kHeight - 34, kWidth - 60, 20), Qt::AlignLeft | Qt::AlignVCenter,
             QString::fromUtf8("Programming and reading cash registers"));
  return pixmap;
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
