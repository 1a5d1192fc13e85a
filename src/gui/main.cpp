// SPDX-License-Identifier: MIT
// nuvrel: the desktop program.
#include <QApplication>

#include "gui/ledra_app.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName("Nuvrel");
  QApplication::setApplicationName("NuvrelSr");
  return nuvrel::gui::RunLedraApp(nuvrel::gui::ParseStartOptions(QApplication::arguments().mid(1)));
}
