// SPDX-License-Identifier: MIT
#include "transfers/register_session.h"

#include "link/identify.h"

namespace nuvrel::transfers {

bool RegisterSession::Open(bool identify) {
  m_port = link::OpenRegisterPort(m_context.ports, m_context.comPortIndex, m_context.ui);
  if (!m_port) return false;
  m_channel.emplace(link::Channel{*m_port, m_context.clock, m_context.ui, m_context.identity});
  if (identify && !link::IdentifyRegister(*m_channel)) {
    Close();
    return false;
  }
  return true;
}

void RegisterSession::Close() {
  m_channel.reset();
  m_port.reset();
}

}  // namespace nuvrel::transfers
