// SPDX-License-Identifier: MIT
// An icon drawn from PNG files rendered at build time for a few sizes: ":/icons/png/NAME-SIDE.png".
// Each size is read the first time it is drawn, and read as PNG without asking the image format
// plug-ins (which asking would load, every one of them). A size between the files' is the next
// larger file scaled down; the modes other than Normal are made as the style makes them.
#pragma once

#include <QIconEngine>
#include <QMap>
#include <QPixmap>
#include <QString>

namespace nuvrel::gui {

class PngIconEngine final : public QIconEngine {
 public:
  // The files of `name` for the sides given, in ascending order.
  PngIconEngine(QString name, QList<int> sides);

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
  QString key() const override;
  QIconEngine* clone() const override;

  // The resource path of one size of an icon.
  static QString FilePath(const QString& name, int side);

 private:
  // The smallest side that covers the size, else the largest.
  int SideFor(const QSize& size) const;
  QPixmap File(int side);

  QString m_name;
  QList<int> m_sides;
  QMap<int, QPixmap> m_files;
  // What pixmap() gave, by size and mode.
  QMap<std::tuple<int, int, int>, QPixmap> m_made;
};

}  // namespace nuvrel::gui
