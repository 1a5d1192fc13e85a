// SPDX-License-Identifier: MIT
#include "link/faults.h"

#include "app/ui.h"

namespace nuvrel::link {

std::optional<app::Sid> MessageFor(Fault fault) {
  switch (fault) {
    case Fault::Timeout: return app::Sid::Timeout;
    case Fault::Refused: return app::Sid::Nack;
    case Fault::Invalid: return app::Sid::InvalidData;
    case Fault::BadCheckPair: return app::Sid::CrcError;
    case Fault::WrongDevice: return app::Sid::BadEcrNumber;
    case Fault::SendFailed: return app::Sid::CannotSend;
    case Fault::HungUp: return app::Sid::LineHungUp;
    case Fault::None:
    case Fault::Silent: break;
  }
  return std::nullopt;
}

void Report(app::Ui& ui, Fault fault) {
  if (const auto id = MessageFor(fault)) ui.ShowMessage(app::Text(*id), app::Icon::Error);
}

void Report(app::Ui& ui, Fault fault, const Transport& port) {
  const auto id = MessageFor(fault);
  if (!id) return;
  std::string text(app::Text(*id));
  if (fault == Fault::HungUp || fault == Fault::SendFailed) {
    if (const std::string why = port.LostReason(); !why.empty()) text += "\r\n" + why;
  }
  ui.ShowMessage(text, app::Icon::Error);
}

}  // namespace nuvrel::link
