// SPDX-License-Identifier: MIT
#include "gui/ecr_setup_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/code_page.h"
#include "app/format.h"
#include "app/strings.h"
#include "app/ui.h"
#include "gui/gui_ui.h"
#include "gui/text_codec.h"
#include "link/frames.h"
#include "link/identify.h"
#include "link/port_address.h"
#include "link/port_opener.h"

namespace nuvrel::gui {

EcrSetupDialog::EcrSetupDialog(int portIndex, const link::PortMap& ports,
                               std::vector<link::FoundPort> found, link::PortOpener& opener,
                               link::RegisterIdentity& identity, GuiUi& ui, QWidget* parent)
    : QDialog(parent),
      m_map(ports),
      m_original(ports),
      m_found(std::move(found)),
      m_opener(opener),
      m_identity(identity),
      m_ui(ui),
      m_ports(new QComboBox(this)),
      m_devices(new QComboBox(this)),
      m_serial(new QLabel(this)),
      m_version(new QLabel(this)),
      m_country(new QLabel(this)) {
  setWindowTitle("ECR Setup");
  for (unsigned n = 1; n <= 4; ++n) m_ports->addItem(PortText(n));
  m_ports->setCurrentIndex(portIndex >= 0 && portIndex < 4 ? portIndex : -1);
  m_devices->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  // A device path of one's own or a serial device server's address may be typed in.
  m_devices->setEditable(true);
  m_devices->setInsertPolicy(QComboBox::NoInsert);
  m_devices->lineEdit()->setPlaceholderText(FromUtf8(app::Text(app::Sid::DevicePlaceholder)));
  ShowDevice();
  connect(m_ports, &QComboBox::currentIndexChanged, this, &EcrSetupDialog::ShowDevice);
  connect(m_devices, &QComboBox::activated, this, &EcrSetupDialog::ChooseDevice);
  connect(m_devices->lineEdit(), &QLineEdit::editingFinished, this,
          &EcrSetupDialog::TakeTypedDevice);

  auto* getInfo = new QPushButton("&Get info", this);
  connect(getInfo, &QPushButton::clicked, this, &EcrSetupDialog::GetInfo);
  for (QLabel* result : {m_serial, m_version, m_country}) {
    result->setMinimumWidth(160);
    result->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    result->setTextInteractionFlags(Qt::TextSelectableByMouse);
  }

  auto* form = new QFormLayout;
  form->addRow(FromUtf8(app::Text(app::Sid::PortLabel)), m_ports);
  form->addRow(FromUtf8(app::Text(app::Sid::DeviceLabel)), m_devices);
  form->addRow(QString(), getInfo);
  form->addRow(FromUtf8(app::Text(app::Sid::SerialNumberLabel)), m_serial);
  form->addRow(FromUtf8(app::Text(app::Sid::VersionLabel)), m_version);
  form->addRow(FromUtf8(app::Text(app::Sid::CountryLabel)), m_country);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

int EcrSetupDialog::PortIndex() const {
  return m_ports->currentIndex();
}

QString EcrSetupDialog::PortText(unsigned portNumber) const {
  // Each entry names the device it stands for on this computer.
  return QString("COM%1    %2")
      .arg(portNumber)
      .arg(QString::fromStdString(m_map.DeviceFor(portNumber)));
}

void EcrSetupDialog::ShowDevice() {
  m_devices->clear();
  const int index = PortIndex();
  m_devices->setEnabled(index >= 0);
  if (index < 0) return;
  const std::string current = m_map.DeviceFor(static_cast<unsigned>(index) + 1);
  for (const link::FoundPort& port : m_found) {
    m_devices->addItem(QString::fromStdString(port.name), QString::fromStdString(port.device));
    m_devices->setItemData(m_devices->count() - 1, QString::fromStdString(port.device),
                           Qt::ToolTipRole);
  }
  int shown = m_devices->findData(QString::fromStdString(current));
  if (shown < 0) {
    // The device kept in the settings stays choosable even when it is not among the ports found
    // (an adapter unplugged, a name of one's own, the simulated register's terminal).
    const QString path = QString::fromStdString(current);
    const bool there = QFileInfo::exists(path) || link::IsNetworkAddress(current);
    m_devices->insertItem(
        0, there ? path : FromUtf8(app::Format(app::Sid::DeviceNotFound, {current})), path);
    shown = 0;
  }
  m_devices->setCurrentIndex(shown);
}

void EcrSetupDialog::ChooseDevice(int index) {
  const int port = PortIndex();
  if (port < 0 || index < 0) return;
  m_map.devices[static_cast<std::size_t>(port)] =
      m_devices->itemData(index).toString().toStdString();
  m_ports->setItemText(port, PortText(static_cast<unsigned>(port) + 1));
}

void EcrSetupDialog::TakeTypedDevice() {
  const int port = PortIndex();
  if (port < 0) return;
  const int index = m_devices->currentIndex();
  const QString text = m_devices->currentText().trimmed();
  // The shown text of an entry stands for its device; anything else is what was typed.
  if (index >= 0 && text == m_devices->itemText(index)) return ChooseDevice(index);
  if (text.isEmpty()) return;
  m_map.devices[static_cast<std::size_t>(port)] = text.toStdString();
  m_ports->setItemText(port, PortText(static_cast<unsigned>(port) + 1));
}

void EcrSetupDialog::accept() {
  TakeTypedDevice();
  QDialog::accept();
}

QString EcrSetupDialog::SerialNumber() const {
  return m_serial->text();
}
QString EcrSetupDialog::Version() const {
  return m_version->text();
}
QString EcrSetupDialog::Country() const {
  return m_country->text();
}

void EcrSetupDialog::GetInfo() {
  m_serial->clear();
  m_version->clear();
  m_country->clear();
  TakeTypedDevice();
  const bool identified = m_ui.RunTransfer([this] {
    app::WaitCursor wait(m_ui);
    // A device just chosen here is tried before it is kept.
    const int index = PortIndex();
    const bool chosenHere = index >= 0 && m_map.devices[static_cast<std::size_t>(index)] !=
                                              m_original.devices[static_cast<std::size_t>(index)];
    link::SerialPortOpener chosen(m_map);
    return link::IdentifyOnPort(chosenHere ? chosen : m_opener, index, link::SystemClock(), m_ui,
                                m_identity);
  });
  if (!identified) return;
  m_serial->setText(QString::fromStdString(link::DeviceDigits(m_identity.deviceNumber)));
  m_version->setText(FromUtf8(app::PrintableUtf8(m_identity.version)));
  m_country->setText(FromUtf8(app::Text(app::Sid::CountrySerbia)));
}

}  // namespace nuvrel::gui
