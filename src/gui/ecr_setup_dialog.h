// SPDX-License-Identifier: MIT
// The ECR Setup dialog: the COM port (with the device each one stands for) and "Get info", which
// identifies the register on the chosen port and shows its serial number, version and country.
#pragma once

#include <QDialog>

#include "link/port_map.h"

class QComboBox;
class QLabel;

namespace nuvrel::link {
class PortOpener;
struct RegisterIdentity;
}  // namespace nuvrel::link

namespace nuvrel::gui {

class GuiUi;

class CEcrSetupDialog final : public QDialog {
  Q_OBJECT
 public:
  CEcrSetupDialog(int portIndex, const link::PortMap& ports, link::PortOpener& opener,
                  link::RegisterIdentity& identity, GuiUi& ui, QWidget* parent = nullptr);

  // The chosen port index (0 for COM1), -1 when nothing is chosen.
  int PortIndex() const;
  QComboBox* PortList() const { return m_ports; }
  // The three results, for tests.
  QString SerialNumber() const;
  QString Version() const;
  QString Country() const;

  // "&Get info".
  void GetInfo();

 private:
  link::PortOpener& m_opener;
  link::RegisterIdentity& m_identity;
  GuiUi& m_ui;
  QComboBox* m_ports;
  QLabel* m_serial;
  QLabel* m_version;
  QLabel* m_country;
};

}  // namespace nuvrel::gui
