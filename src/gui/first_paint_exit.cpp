// SPDX-License-Identifier: MIT
#include "gui/first_paint_exit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace nuvrel::gui {

FirstPaintExit::FirstPaintExit(QWidget& window) : QObject(&window) {
  window.installEventFilter(this);
}

bool FirstPaintExit::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && !m_painted) {
    m_painted = true;
    watched->removeEventFilter(this);
    // Queued: the window's children are painted in the same pass and the picture is put on the
    // screen before the event loop gets back to this.
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
  }
  return false;
}

}  // namespace nuvrel::gui
