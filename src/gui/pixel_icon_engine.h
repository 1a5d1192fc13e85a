// SPDX-License-Identifier: MIT
// An icon drawn from pixels compiled in at a few sides (gui/icon_pixels.h). A size between those is
// the next larger side scaled down; the modes other than Normal are made as the style makes them.
#pragma once

#include <QIconEngine>
#include <QMap>
#include <QPixmap>
#include <span>
#include <tuple>

#include "gui/icon_pixels.h"

namespace nuvrel::gui {

class PixelIconEngine final : public QIconEngine {
 public:
  // The sides of one icon, in growing order; they must outlive the engine.
  explicit PixelIconEngine(std::span<const IconPixels> sides);

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
  QString key() const override;
  QIconEngine* clone() const override;

 private:
  // The smallest side that covers the size, else the largest.
  const IconPixels& SideFor(const QSize& size) const;

  std::span<const IconPixels> m_sides;
  // What pixmap() gave, by size and mode.
  QMap<std::tuple<int, int, int>, QPixmap> m_made;
};

}  // namespace nuvrel::gui
