// SPDX-License-Identifier: MIT
// The ECR Setup dialog: the COM port (with the device each one stands for), the device the chosen
// COM port stands for, picked from the serial ports found on this computer or typed in (a path, or
// a serial device server's network address), and "Get info", which identifies the register on the
// chosen port and shows its serial number, version and country.
#pragma once

#include <QDialog>
#include <vector>

#include "link/port_map.h"
#include "link/port_scan.h"

class QComboBox;
class QLabel;

namespace nuvrel::link {
class PortOpener;
struct RegisterIdentity;
}  // namespace nuvrel::link

namespace nuvrel::gui {

class GuiUi;

class EcrSetupDialog final : public QDialog {
  Q_OBJECT
 public:
  // ports: the device of each COM port now; found: the serial ports present, offered as devices.
  EcrSetupDialog(int portIndex, const link::PortMap& ports, std::vector<link::FoundPort> found,
                 link::PortOpener& opener, link::RegisterIdentity& identity, GuiUi& ui,
                 QWidget* parent = nullptr);

  // The chosen port index (0 for COM1), -1 when nothing is chosen.
  int PortIndex() const;
  // The device of each COM port, with the person's choices.
  const link::PortMap& Ports() const { return m_map; }
  QComboBox* PortList() const { return m_ports; }
  QComboBox* DeviceList() const { return m_devices; }
  // The three results, for tests.
  QString SerialNumber() const;
  QString Version() const;
  QString Country() const;

  // "&Get info".
  void GetInfo();
  // OK: what was typed into the device field counts too.
  void accept() override;

 private:
  // Shows the device of the chosen COM port in the device list.
  void ShowDevice();
  // The person picked the device at index in the device list for the chosen COM port.
  void ChooseDevice(int index);
  // The person typed a device path or a network address (or picked an entry) for the COM port.
  void TakeTypedDevice();
  QString PortText(unsigned portNumber) const;

  link::PortMap m_map;
  const link::PortMap m_original;
  const std::vector<link::FoundPort> m_found;
  link::PortOpener& m_opener;
  link::RegisterIdentity& m_identity;
  GuiUi& m_ui;
  QComboBox* m_ports;
  QComboBox* m_devices;
  QLabel* m_serial;
  QLabel* m_version;
  QLabel* m_country;
};

}  // namespace nuvrel::gui
