// SPDX-License-Identifier: MIT
// The course every upload takes: check the sheet, open the port and identify, 'a', one record per
// row, 'z' and the upload end packet, then the closing text in the status bar. The sheets differ
// only in the plan they hand it.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/ui.h"
#include "grid/cell_table.h"
#include "link/handshake.h"
#include "transfers/transfer_context.h"

namespace nuvrel::transfers {

enum class ClosingText {
  ItemsSent,      // "%u items successfully sent!"
  SelectionSent,  // "Selected cells successfully sent"
};

struct UploadPlan {
  // The check before the port opens; it shows its own message.
  bool (*validate)(app::Ui&, grid::CellTable&) = nullptr;
  char letter = 0;
  int rows = 0;  // rows 1..rows, as far as the sheet has them
  // The fields of a row's record after the letter; none when the row is skipped.
  std::function<std::optional<std::string>(int row)> fields;
  // Whether a skipped row counts as sent (the whole Articles sheet always reports every row).
  bool countSkipped = false;
  ClosingText closing = ClosingText::ItemsSent;
};

// Runs the upload under the wait cursor. True when the register took every record and ended the
// upload; every failure has shown its message, but a failed record write, which ends it silently.
bool RunUpload(TransferContext& context, grid::CellTable& grid, const UploadPlan& plan);

// Sends one record (status "Sending line number", the frame, its acknowledgement). A write that
// fails returns false without a message; a bad acknowledgement has shown its own.
bool SendRecord(link::Channel& channel, char letter, int row, const std::string& fields);

}  // namespace nuvrel::transfers
