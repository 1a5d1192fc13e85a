// SPDX-License-Identifier: MIT
#include "transfers/upload_sequence.h"

#include <algorithm>

#include "app/format.h"
#include "link/frames.h"
#include "transfers/register_session.h"

namespace nuvrel::transfers {

bool SendRecord(link::Channel& channel, char letter, int row, const std::string& fields) {
  channel.ui.SetStatus(app::Format(app::Sid::SendingLine, {row}));
  link::Bytes frame = link::BeginFrame(channel.identity.deviceNumber, letter);
  frame.insert(frame.end(), fields.begin(), fields.end());
  link::AppendCheckPair(frame);
  // A record that cannot be written ends the upload quietly; the status keeps its line number.
  if (!channel.port.Write(frame)) return false;
  return link::AwaitAck(channel);
}

bool RunUpload(TransferContext& context, grid::CellTable& grid, const UploadPlan& plan) {
  app::WaitCursor wait(context.ui);
  if (!plan.validate(context.ui, grid)) return false;

  RegisterSession session(context);
  if (!session.Open()) return false;
  link::Channel& channel = session.Channel();
  if (!link::SendCommand(channel, 'a')) return false;

  const int last = std::min(plan.rows, grid.GetRowCount() - 1);
  unsigned count = 0;
  for (int row = 1; row <= last; ++row) {
    const std::optional<std::string> fields = plan.fields(row);
    if (fields) {
      if (!SendRecord(channel, plan.letter, row, *fields)) return false;
      ++count;
    } else if (plan.countSkipped) {
      ++count;
    }
    context.ui.PumpPaintMessages();
  }

  if (!link::SendCommand(channel, 'z') || !link::AwaitUploadEnd(channel)) return false;
  session.Close();

  if (plan.closing == ClosingText::SelectionSent) {
    context.ui.SetStatus(app::Text(app::Sid::SelectionSent));
  } else {
    context.ui.SetStatus(app::Format(app::Sid::ItemsSent, {count}));
  }
  return true;
}

}  // namespace nuvrel::transfers
