// SPDX-License-Identifier: MIT
// The title tip: a small borderless window that shows the whole text of a cell too narrow for it,
// laid exactly over the cell so that the text seems to run on past the cell's edge.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QWidget>

namespace nuvrel::gui {

class CellTitleTip final : public QWidget {
  Q_OBJECT

 public:
  // A tip for the cells of `owner` (the grid's viewport), which gets the mouse events that land
  // on the tip.
  explicit CellTitleTip(QWidget* owner);

  // Shows `text` over `cellRect` (owner coordinates) when the text with a blank on each side is
  // wider than `textWidth`, the room the cell gives its text; hides the tip otherwise. Returns
  // whether the tip is shown.
  bool ShowFor(const QRect& cellRect, int textWidth, const QString& text, const QFont& font);
  void Hide();

  // The cell the tip stands over (owner coordinates); empty when hidden.
  QRect CellRect() const { return isVisible() ? m_cellRect : QRect(); }
  const QString& Text() const { return m_text; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void Forward(QMouseEvent* event);

  QWidget* m_owner;
  QRect m_cellRect;
  QString m_text;
};

}  // namespace nuvrel::gui
