// SPDX-License-Identifier: MIT
#include "gui/ecr_setup_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/code_page.h"
#include "app/strings.h"
#include "app/ui.h"
#include "gui/gui_ui.h"
#include "gui/text_codec.h"
#include "link/frames.h"
#include "link/identify.h"

namespace nuvrel::gui {

CEcrSetupDialog::CEcrSetupDialog(int portIndex, const link::PortMap& ports,
                                 link::PortOpener& opener, link::RegisterIdentity& identity,
                                 GuiUi& ui, QWidget* parent)
    : QDialog(parent),
      m_opener(opener),
      m_identity(identity),
      m_ui(ui),
      m_ports(new QComboBox(this)),
      m_serial(new QLabel(this)),
      m_version(new QLabel(this)),
      m_country(new QLabel(this)) {
  setWindowTitle("ECR Setup");
  for (unsigned n = 1; n <= 4; ++n) {
    // Each entry names the device it stands for on this computer.
    m_ports->addItem(QString("COM%1    %2").arg(n).arg(QString::fromStdString(ports.DeviceFor(n))));
  }
  m_ports->setCurrentIndex(portIndex >= 0 && portIndex < 4 ? portIndex : -1);

  auto* getInfo = new QPushButton("&Get info", this);
  connect(getInfo, &QPushButton::clicked, this, &CEcrSetupDialog::GetInfo);
  for (QLabel* result : {m_serial, m_version, m_country}) {
    result->setMinimumWidth(160);
    result->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    result->setTextInteractionFlags(Qt::TextSelectableByMouse);
  }

  auto* form = new QFormLayout;
  form->addRow(FromUtf8(app::Text(app::Sid::PortLabel)), m_ports);
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

int CEcrSetupDialog::PortIndex() const {
  return m_ports->currentIndex();
}

QString CEcrSetupDialog::SerialNumber() const {
  return m_serial->text();
}
QString CEcrSetupDialog::Version() const {
  return m_version->text();
}
QString CEcrSetupDialog::Country() const {
  return m_country->text();
}

void CEcrSetupDialog::GetInfo() {
  m_serial->clear();
  m_version->clear();
  m_country->clear();
  const bool identified = m_ui.RunTransfer([this] {
    app::WaitCursor wait(m_ui);
    return link::IdentifyOnPort(m_opener, PortIndex(), link::SystemClock(), m_ui, m_identity);
  });
  if (!identified) return;
  m_serial->setText(QString::fromStdString(link::DeviceDigits(m_identity.deviceNumber)));
  m_version->setText(FromUtf8(app::PrintableUtf8(m_identity.version)));
  m_country->setText(FromUtf8(app::Text(app::Sid::CountrySerbia)));
}

}  // namespace nuvrel::gui
