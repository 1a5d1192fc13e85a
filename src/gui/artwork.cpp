// SPDX-License-Identifier: MIT
// Every icon is drawn on a 16 x 16 grid and scaled, so it stays crisp at 16 and at 32 pixels.
#include "gui/artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace nuvrel::gui {
namespace {

const QColor kInk(40, 44, 52);
const QColor kPaper(252, 252, 248);
const QColor kBlue(38, 110, 190);
const QColor kGreen(46, 150, 80);
const QColor kRed(200, 50, 45);
const QColor kAmber(232, 170, 40);
const QColor kSteel(120, 128, 140);

QPen Outline(qreal width = 1.0) { return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void Page(QPainter& p, QRectF r) {
  QPainterPath path;
  const qreal fold = 3;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - fold, r.top());
  path.lineTo(r.right(), r.top() + fold);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setPen(Outline(0.8));
  p.setBrush(kPaper);
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold));
  p.drawLine(QPointF(r.right() - fold, r.top() + fold), QPointF(r.right(), r.top() + fold));
}

void TextLines(QPainter& p, QRectF r, int lines, const QColor& colour = kSteel) {
  p.setPen(QPen(colour, 0.8));
  for (int i = 0; i < lines; ++i) {
    const qreal y = r.top() + 1.5 + i * 2.0;
    if (y > r.bottom() - 1) break;
    p.drawLine(QPointF(r.left() + 1.5, y), QPointF(r.right() - 1.5 - (i % 2) * 2, y));
  }
}

// A small cash register: display on a stalk, keypad body, drawer.
void Register(QPainter& p, QPointF at, qreal scale = 1.0) {
  p.save();
  p.translate(at);
  p.scale(scale, scale);
  p.setPen(Outline(0.8));
  QLinearGradient body(0, 6, 0, 14);
  body.setColorAt(0, QColor(96, 104, 118));
  body.setColorAt(1, QColor(58, 64, 76));
  p.setBrush(body);
  p.drawRoundedRect(QRectF(1, 7, 12, 6), 1, 1);
  p.setBrush(QColor(40, 160, 120));
  p.drawRect(QRectF(3, 2.5, 7, 3));
  p.drawLine(QPointF(6.5, 5.5), QPointF(6.5, 7));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(235, 235, 235));
  for (int row = 0; row < 2; ++row) {
    for (int col = 0; col < 4; ++col) p.drawRect(QRectF(2.5 + col * 2.4, 8.2 + row * 1.9, 1.4, 1.1));
  }
  p.setPen(Outline(0.8));
  p.setBrush(QColor(80, 86, 98));
  p.drawRect(QRectF(0.5, 13, 13, 2));
  p.restore();
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
  QLineF line(from, to);
  p.setPen(QPen(colour.darker(130), 1.0));
  p.setBrush(colour);
  const QLineF unit = line.unitVector();
  const QPointF d(unit.dx(), unit.dy());
  const QPointF n(-d.y(), d.x());
  const qreal head = 3.2;
  const qreal shaft = 1.1;
  const QPointF base = to - d * head;
  QPolygonF shape;
  shape << from + n * shaft << base + n * shaft << base + n * (head * 0.8) << to
        << base - n * (head * 0.8) << base - n * shaft << from - n * shaft;
  p.drawPolygon(shape);
}

void Circle(QPainter& p, const QColor& colour, const QString& glyph) {
  QRadialGradient fill(QPointF(6, 5), 9);
  fill.setColorAt(0, colour.lighter(150));
  fill.setColorAt(1, colour);
  p.setPen(QPen(colour.darker(150), 0.8));
  p.setBrush(fill);
  p.drawEllipse(QRectF(1, 1, 14, 14));
  QFont font("Liberation Sans");
  font.setPixelSize(11);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, glyph);
}

void MiniGrid(QPainter& p, QRectF r, bool selection) {
  p.setPen(Outline(0.7));
  p.setBrush(kPaper);
  p.drawRect(r);
  p.setPen(QPen(kSteel, 0.5));
  for (int i = 1; i < 3; ++i) {
    const qreal y = r.top() + r.height() * i / 3;
    p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    const qreal x = r.left() + r.width() * i / 3;
    p.drawLine(QPointF(x, r.top()), QPointF(x, r.bottom()));
  }
  if (selection) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 120, 220, 200));
    p.drawRect(QRectF(r.left() + r.width() / 3, r.top() + r.height() / 3, r.width() / 3 + 0.2,
                      r.height() / 3 + 0.2));
  }
}

void Draw(QPainter& p, IconId id) {
  switch (id) {
    case IconId::Open: {
      p.setPen(Outline(0.8));
      p.setBrush(QColor(214, 160, 40));
      QPainterPath back;
      back.moveTo(1, 3.5);
      back.lineTo(6, 3.5);
      back.lineTo(7, 5);
      back.lineTo(13, 5);
      back.lineTo(13, 13.5);
      back.lineTo(1, 13.5);
      back.closeSubpath();
      p.drawPath(back);
      Page(p, QRectF(3.5, 2, 8, 9));
      QLinearGradient front(0, 7, 0, 14);
      front.setColorAt(0, QColor(250, 206, 90));
      front.setColorAt(1, kAmber);
      p.setPen(Outline(0.8));
      p.setBrush(front);
      QPolygonF flap;
      flap << QPointF(3, 7.5) << QPointF(15.5, 7.5) << QPointF(13, 13.5) << QPointF(1, 13.5);
      p.drawPolygon(flap);
      break;
    }
    case IconId::Save: {
      QLinearGradient body(0, 1, 0, 15);
      body.setColorAt(0, kBlue.lighter(125));
      body.setColorAt(1, kBlue.darker(115));
      p.setPen(Outline(0.8));
      p.setBrush(body);
      QPainterPath disk;
      disk.moveTo(1.5, 1.5);
      disk.lineTo(12.5, 1.5);
      disk.lineTo(14.5, 3.5);
      disk.lineTo(14.5, 14.5);
      disk.lineTo(1.5, 14.5);
      disk.closeSubpath();
      p.drawPath(disk);
      p.setBrush(kPaper);
      p.drawRect(QRectF(3.5, 1.5, 9, 5.5));
      TextLines(p, QRectF(3.5, 1.5, 9, 5.5), 2);
      p.setPen(Outline(0.6));
      p.setBrush(QColor(200, 205, 215));
      p.drawRect(QRectF(4.5, 9.5, 7, 5));
      p.setBrush(kInk);
      p.drawRect(QRectF(6, 10.5, 1.8, 3));
      break;
    }
    case IconId::ClearAll:
      Page(p, QRectF(2.5, 1.5, 10, 13));
      TextLines(p, QRectF(2.5, 3, 10, 11), 5);
      p.setPen(QPen(kRed, 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(8, 8), QPointF(14, 14));
      p.drawLine(QPointF(14, 8), QPointF(8, 14));
      break;
    case IconId::Print:
    case IconId::PrintPreview: {
      Page(p, QRectF(4, 1, 8, 6));
      TextLines(p, QRectF(4, 1.5, 8, 5), 2);
      QLinearGradient body(0, 6, 0, 13);
      body.setColorAt(0, QColor(200, 204, 212));
      body.setColorAt(1, QColor(140, 146, 158));
      p.setPen(Outline(0.8));
      p.setBrush(body);
      p.drawRoundedRect(QRectF(1, 6.5, 14, 6), 1.2, 1.2);
      p.setBrush(kPaper);
      p.drawRect(QRectF(4, 10.5, 8, 4.5));
      p.setPen(Qt::NoPen);
      p.setBrush(kGreen);
      p.drawEllipse(QRectF(12, 8, 1.6, 1.6));
      if (id == IconId::PrintPreview) {
        p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(12, 12), QPointF(15, 15));
        p.setPen(Outline(1.0));
        p.setBrush(QColor(200, 225, 255, 220));
        p.drawEllipse(QRectF(7, 7, 6, 6));
      }
      break;
    }
    case IconId::Find: {
      p.setPen(QPen(QColor(120, 72, 30), 2.6, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
      QRadialGradient glass(QPointF(5, 5), 6);
      glass.setColorAt(0, QColor(235, 245, 255));
      glass.setColorAt(1, QColor(150, 190, 235));
      p.setPen(Outline(1.2));
      p.setBrush(glass);
      p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
      break;
    }
    case IconId::Cut:
      p.setPen(QPen(kSteel.darker(120), 1.3, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(5, 1.5), QPointF(10.5, 10));
      p.drawLine(QPointF(11, 1.5), QPointF(5.5, 10));
      p.setPen(QPen(kRed, 1.3));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QRectF(1.5, 10, 4.5, 4.5));
      p.drawEllipse(QRectF(10, 10, 4.5, 4.5));
      break;
    case IconId::Copy:
      Page(p, QRectF(1.5, 1.5, 8.5, 10));
      TextLines(p, QRectF(1.5, 2.5, 8.5, 9), 4);
      Page(p, QRectF(6, 5, 8.5, 10));
      TextLines(p, QRectF(6, 6, 8.5, 9), 4, kBlue);
      break;
    case IconId::Paste:
      p.setPen(Outline(0.8));
      p.setBrush(QColor(176, 120, 62));
      p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
      p.setBrush(kSteel.lighter(130));
      p.drawRoundedRect(QRectF(4, 1, 5, 3), 0.8, 0.8);
      Page(p, QRectF(6, 6, 8.5, 9));
      TextLines(p, QRectF(6, 7, 8.5, 8), 3, kBlue);
      break;
    case IconId::ReportToArticles:
      Page(p, QRectF(1, 1, 7, 9));
      TextLines(p, QRectF(1, 2, 7, 8), 3);
      MiniGrid(p, QRectF(8.5, 8.5, 6.5, 6.5), false);
      Arrow(p, QPointF(5, 11), QPointF(9.5, 6.5), kGreen);
      break;
    case IconId::SendAll:
      Register(p, QPointF(2, 1), 1.0);
      MiniGrid(p, QRectF(0.5, 0.5, 6, 6), false);
      Arrow(p, QPointF(5.5, 5), QPointF(14.5, 5), kGreen);
      break;
    case IconId::SendSelected:
      Register(p, QPointF(2, 1), 1.0);
      MiniGrid(p, QRectF(0.5, 0.5, 6, 6), true);
      Arrow(p, QPointF(5.5, 5), QPointF(14.5, 5), kAmber);
      break;
    case IconId::ArticlesReport:
      Register(p, QPointF(0, 1.5), 0.85);
      MiniGrid(p, QRectF(9.5, 9.5, 6, 6), false);
      Arrow(p, QPointF(9, 3), QPointF(13, 9), kBlue);
      break;
    case IconId::GetReports: {
      Register(p, QPointF(0, 1.5), 0.85);
      p.setPen(Outline(0.7));
      p.setBrush(kPaper);
      QPainterPath receipt;
      receipt.moveTo(10, 4);
      receipt.lineTo(15, 4);
      receipt.lineTo(15, 14);
      for (int i = 0; i < 5; ++i) receipt.lineTo(15 - i - 0.5, i % 2 ? 14 : 15);
      receipt.lineTo(10, 14.5);
      receipt.closeSubpath();
      p.drawPath(receipt);
      TextLines(p, QRectF(10, 5, 5, 8), 4);
      Arrow(p, QPointF(12.5, 0.5), QPointF(12.5, 4.5), kBlue);
      break;
    }
    case IconId::SendLogo: {
      p.setPen(Outline(0.8));
      QLinearGradient sky(0, 2, 0, 10);
      sky.setColorAt(0, QColor(120, 180, 240));
      sky.setColorAt(1, QColor(210, 235, 255));
      p.setBrush(sky);
      p.drawRect(QRectF(1, 1.5, 11, 9));
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(250, 210, 60));
      p.drawEllipse(QRectF(8, 2.5, 2.6, 2.6));
      p.setBrush(kGreen);
      QPolygonF hills;
      hills << QPointF(1.5, 10) << QPointF(4.5, 5.5) << QPointF(7, 8) << QPointF(8.5, 6.5)
            << QPointF(11.5, 10);
      p.drawPolygon(hills);
      Arrow(p, QPointF(8, 13), QPointF(15.5, 13), kGreen);
      break;
    }
    case IconId::Help: Circle(p, kBlue, "?"); break;
    case IconId::About: Circle(p, kGreen, "i"); break;
    case IconId::Application:
      Register(p, QPointF(1, 1), 1.0);
      break;
  }
}

QPixmap Render(IconId id, int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.scale(size / 16.0, size / 16.0);
  Draw(p, id);
  return pixmap;
}

}  // namespace

QIcon MakeIcon(IconId id) {
  QIcon icon;
  for (int size : {16, 24, 32, 48}) icon.addPixmap(Render(id, size));
  return icon;
}

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
  for (int i = 0; i < 6; ++i) p.drawLine(QPointF(9.7, 1.2 + i), QPointF(13.8 - (i % 3) * 0.8, 1.2 + i));
  p.restore();
  p.save();
  p.translate(250, 92);
  p.scale(11, 11);
  Register(p, QPointF(0, 0), 1.0);
  p.restore();

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
  p.drawText(QRect(30, 118, 240, 24), Qt::AlignLeft | Qt::AlignVCenter, "Serbian Edition v2.2");

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
