// SPDX-License-Identifier: MIT
#include "gui/cell_title_tip.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace nuvrel::gui {

CellTitleTip::CellTitleTip(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput),
      m_owner(owner) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setForegroundRole(QPalette::ToolTipText);
  setBackgroundRole(QPalette::ToolTipBase);
  setAutoFillBackground(true);
}

bool CellTitleTip::ShowFor(const QRect& cellRect, int textWidth, const QString& text,
                           const QFont& font) {
  const QString shown = QLatin1Char(' ') + text + QLatin1Char(' ');
  const int width = QFontMetrics(font).horizontalAdvance(shown);
  if (text.isEmpty() || width <= textWidth) {
    Hide();
    return false;
  }
  if (isVisible() && cellRect == m_cellRect && shown == m_text) return true;
  m_cellRect = cellRect;
  m_text = shown;
  setFont(font);
  setGeometry(QRect(m_owner->mapToGlobal(cellRect.topLeft()), QSize(width, cellRect.height())));
  show();
  update();
  return true;
}

void CellTitleTip::Hide() {
  if (isVisible()) hide();
}

void CellTitleTip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::ToolTipText));
  painter.setFont(font());
  // From the left edge and centred in the height, as the cell draws it: the leading blank
  // stands where the cell's margin was.
  painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_text);
}

// Where the window system does not let mouse events through the tip, the tip hands them on.
void CellTitleTip::Forward(QMouseEvent* event) {
  const QPointF global = event->globalPosition();
  const QPointF local = m_owner->mapFromGlobal(global);
  QMouseEvent copy(event->type(), local, global, event->button(), event->buttons(),
                   event->modifiers(), event->pointingDevice());
  QApplication::sendEvent(m_owner, &copy);
}

void CellTitleTip::mousePressEvent(QMouseEvent* event) {
  // Handed on while still shown, so the owner knows the press came through the tip.
  Forward(event);
  Hide();
}

void CellTitleTip::mouseMoveEvent(QMouseEvent* event) {
  Forward(event);
}

void CellTitleTip::mouseReleaseEvent(QMouseEvent* event) {
  Forward(event);
}

void CellTitleTip::mouseDoubleClickEvent(QMouseEvent* event) {
  Forward(event);
  Hide();
}

void CellTitleTip::wheelEvent(QWheelEvent* event) {
  Hide();
  QWheelEvent copy(m_owner->mapFromGlobal(event->globalPosition()), event->globalPosition(),
                   event->pixelDelta(), event->angleDelta(), event->buttons(), event->modifiers(),
                   event->phase(), event->inverted());
  QApplication::sendEvent(m_owner, &copy);
}

}  // namespace nuvrel::gui
