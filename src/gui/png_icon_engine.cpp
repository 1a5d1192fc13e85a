// SPDX-License-Identifier: MIT
#include "gui/png_icon_engine.h"

#include <QApplication>
#include <QImageReader>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace nuvrel::gui {

PngIconEngine::PngIconEngine(QString name, QList<int> sides)
    : m_name(std::move(name)), m_sides(std::move(sides)) {}

QString PngIconEngine::FilePath(const QString& name, int side) {
  return QStringLiteral(":/icons/png/%1-%2.png").arg(name).arg(side);
}

int PngIconEngine::SideFor(const QSize& size) const {
  for (int side : m_sides) {
    if (side >= size.width() && side >= size.height()) return side;
  }
  return m_sides.isEmpty() ? 0 : m_sides.last();
}

QPixmap PngIconEngine::File(int side) {
  auto found = m_files.find(side);
  if (found == m_files.end()) {
    QImageReader reader(FilePath(m_name, side), "png");
    reader.setAutoDetectImageFormat(false);
    found = m_files.insert(side, QPixmap::fromImage(reader.read()));
  }
  return *found;
}

QSize PngIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
  QSize actual(SideFor(size), SideFor(size));
  if (actual.width() > size.width() || actual.height() > size.height()) {
    actual.scale(size, Qt::KeepAspectRatio);
  }
  return actual;
}

QPixmap PngIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
  const auto key = std::make_tuple(size.width(), size.height(), static_cast<int>(mode));
  if (const auto made = m_made.find(key); made != m_made.end()) return *made;
  QPixmap picture = File(SideFor(size));
  if (picture.isNull()) return picture;
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

void PngIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                          QIcon::State state) {
  const qreal scale = painter->device()->devicePixelRatio();
  QPixmap picture = pixmap(rect.size() * scale, mode, state);
  picture.setDevicePixelRatio(scale);
  painter->drawPixmap(rect, picture);
}

QList<QSize> PngIconEngine::availableSizes(QIcon::Mode, QIcon::State) {
  QList<QSize> sizes;
  for (int side : m_sides) sizes.append(QSize(side, side));
  return sizes;
}

QString PngIconEngine::key() const {
  return QStringLiteral("NuvrelPngIconEngine");
}

QIconEngine* PngIconEngine::clone() const {
  return new PngIconEngine(*this);
}

}  // namespace nuvrel::gui
