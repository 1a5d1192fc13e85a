// SPDX-License-Identifier: MIT
#include "gui/pixel_icon_engine.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace nuvrel::gui {

PixelIconEngine::PixelIconEngine(std::span<const IconPixels> sides) : m_sides(sides) {}

const IconPixels& PixelIconEngine::SideFor(const QSize& size) const {
  for (const IconPixels& side : m_sides) {
    if (side.side >= size.width() && side.side >= size.height()) return side;
  }
  return m_sides.back();
}

QSize PixelIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
  const int side = SideFor(size).side;
  QSize actual(side, side);
  if (actual.width() > size.width() || actual.height() > size.height()) {
    actual.scale(size, Qt::KeepAspectRatio);
  }
  return actual;
}

QPixmap PixelIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
  const auto key = std::make_tuple(size.width(), size.height(), static_cast<int>(mode));
  if (const auto made = m_made.find(key); made != m_made.end()) return *made;
  const IconPixels& side = SideFor(size);
  // The image only looks at the pixels; the pixmap takes a copy.
  const QImage pixels(reinterpret_cast<const uchar*>(side.argb), side.side, side.side,
                      side.side * 4, QImage::Format_ARGB32_Premultiplied);
  QPixmap picture = QPixmap::fromImage(pixels);
  const QSize actual = actualSize(size, mode, state);
  if (picture.size() != actual) {
    picture = picture.scaled(actual, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  if (mode != QIcon::Normal) {
    // As Qt's own icons do: greyed when disabled, tinted when selected.
    QStyleOption option(0);
    option.palette = QGuiApplication::palette();
    const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, picture, &option);
    if (!generated.isNull()) picture = generated;
  }
  m_made.insert(key, picture);
  return picture;
}

void PixelIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                            QIcon::State state) {
  const qreal scale = painter->device()->devicePixelRatio();
  QPixmap picture = pixmap(rect.size() * scale, mode, state);
  picture.setDevicePixelRatio(scale);
  painter->drawPixmap(rect, picture);
}

QList<QSize> PixelIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
  QList<QSize> sizes;
  for (const IconPixels& side : m_sides) sizes.append(QSize(side.side, side.side));
  return sizes;
}

QString PixelIconEngine::key() const {
  return QStringLiteral("NuvrelPixelIconEngine");
}

QIconEngine* PixelIconEngine::clone() const {
  return new PixelIconEngine(*this);
}

}  // namespace nuvrel::gui
