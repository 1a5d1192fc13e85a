// SPDX-License-Identifier: MIT
// Running a modal window so that the window the person was working in has the keyboard again when
// it closes, also on a desktop without a window manager to hand it back.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>

namespace nuvrel::gui {

// QDialog::exec, then the window that was active before is activated again; returns exec's result.
inline int ExecModal(QDialog& dialog) {
  const QPointer<QWidget> before = QApplication::activeWindow();
  const int result = dialog.exec();
  if (before && before->isVisible()) before->activateWindow();
  return result;
}

}  // namespace nuvrel::gui
