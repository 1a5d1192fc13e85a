// SPDX-License-Identifier: MIT
#include "gui/about_dialog.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "gui/artwork.h"

namespace nuvrel::gui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setWindowTitle("About");
  auto* picture = new QLabel(this);
  picture->setPixmap(TitlePicture());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(picture);
  setFixedSize(sizeHint());
}

void AboutDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    m_dragging = true;
    m_grab = event->globalPosition().toPoint() - frameGeometry().topLeft();
  }
}

void AboutDialog::mouseMoveEvent(QMouseEvent* event) {
  if (m_dragging) move(event->globalPosition().toPoint() - m_grab);
}

void AboutDialog::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) m_dragging = false;
  if (event->button() == Qt::RightButton) accept();
}

void AboutDialog::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) accept();
}

}  // namespace nuvrel::gui
