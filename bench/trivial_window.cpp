// SPDX-License-Identifier: MIT
// The yardstick for start-up: an empty main window of the same size as nuvrel's, shown and ended on
// its first paint the same way. bench_startup times it beside nuvrel.
#include <QApplication>
#include <QMainWindow>

#include "gui/first_paint_exit.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.resize(1000, 680);
  const auto* exitOnPaint = new nuvrel::gui::FirstPaintExit(window);
  window.show();
  if (exitOnPaint->Painted()) return 0;
  return QApplication::exec();
}
