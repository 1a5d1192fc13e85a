// SPDX-License-Identifier: MIT
// The port of one transfer: opened on COM(comPortIndex + 1), the register identified, closed again
// when the session goes, on every way out.
#pragma once

#include <memory>
#include <optional>

#include "link/handshake.h"
#include "link/transport.h"
#include "transfers/transfer_context.h"

namespace nuvrel::transfers {

class RegisterSession {
 public:
  explicit RegisterSession(TransferContext& context) : m_context(context) {}

  // Opens the port ("Cannot open COM%d !" when it does not open) and, unless told otherwise,
  // identifies the register. False when either fails; the failure has shown its message or, for a
  // register this edition does not serve, none.
  bool Open(bool identify = true);

  // The exchange; valid after a successful Open.
  link::Channel& Channel() { return *m_channel; }
  link::Transport& Port() { return *m_port; }

  // Closes the port now.
  void Close();

 private:
  TransferContext& m_context;
  std::unique_ptr<link::Transport> m_port;
  std::optional<link::Channel> m_channel;
};

}  // namespace nuvrel::transfers
