// SPDX-License-Identifier: MIT
#include "link/port_opener.h"

#include "app/format.h"
#include "app/ui.h"
#include "link/ecr_link.h"

namespace nuvrel::link {

std::unique_ptr<Transport> SerialPortOpener::Open(std::uint32_t portNumber, OpenFailure& failure) {
  auto link = std::make_unique<EcrLink>(m_ports, m_trace);
  // The register's line: 9600 baud, 8 data bits, no parity, one stop bit.
  if (link->Open(portNumber, LineSettings{})) return link;
  failure = link->LastFailure();
  return nullptr;
}

std::unique_ptr<Transport> OpenRegisterPort(PortOpener& opener, int portIndex, app::Ui& ui) {
  const int portNumber = portIndex + 1;
  OpenFailure failure;
  auto port = opener.Open(static_cast<std::uint32_t>(portNumber), failure);
  if (port) {
    if (const std::string warning = port->OpenWarning(); !warning.empty()) {
      ui.ShowMessage(warning, app::Icon::Warning);
    }
    return port;
  }

  std::string text = app::Format(app::Sid::CannotOpenPort, {portNumber});
  if (!failure.device.empty()) {
    text += "\r\n" + app::Format(app::Sid::PortDeviceHint, {failure.device, failure.reason});
  }
  if (failure.permissionDenied) {
    text += "\r\n";
    text += failure.group ? app::Format(app::Sid::PortGroupHint, {*failure.group, *failure.group})
                          : std::string(app::Text(app::Sid::PortPermissionHint));
  }
  if (failure.holder) {
    text += "\r\n" + app::Format(app::Sid::PortHeldBy, {failure.holder->name, failure.holder->pid});
  }
  if (failure.busy && !failure.holder) {
    text += "\r\n";
    text += app::Text(app::Sid::PortInUse);
  }
  ui.ShowMessage(text, app::Icon::Error);
  return nullptr;
}

}  // namespace nuvrel::link
