// SPDX-License-Identifier: MIT
// Ends the program once its window has been painted for the first time, so that start-up can be
// timed to the first picture the person sees.
#pragma once

#include <QObject>

class QWidget;

namespace nuvrel::gui {

class FirstPaintExit final : public QObject {
  Q_OBJECT

 public:
  // Watches `window` (which must outlive this object); its first paint ends the event loop.
  explicit FirstPaintExit(QWidget& window);

  // Whether the window has been painted: it may be before the event loop runs (while a message
  // box at start waits), and then there is no loop to end.
  bool Painted() const { return m_painted; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool m_painted = false;
};

}  // namespace nuvrel::gui
