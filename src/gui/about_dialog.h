// SPDX-License-Identifier: MIT
// The About box: the title picture alone, without a frame. Dragged by any point; a double-click,
// a right click, Enter or Esc closes it.
#pragma once

#include <QDialog>
#include <QPoint>

namespace nuvrel::gui {

class AboutDialog final : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent = nullptr);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QPoint m_grab;
  bool m_dragging = false;
};

}  // namespace nuvrel::gui
