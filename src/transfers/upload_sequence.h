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
#include "sheets/sheet_id.h"
#include "transfers/transfer_context.h"

namespace nuvrel::transfers {

struct UploadPlan {
  // The check before the port opens; it shows its own message.
  bool (*validate)(app::Ui&, grid::CellTable&) = nullptr;
  sheets::SheetId sheet = sheets::SheetId::Articles;
  char letter = 0;
  int rows = 0;  // rows 1..rows, as far as the sheet has them
  // The fields of a row's record after the letter; none when the row is skipped.
  std::function<std::optional<std::string>(int row)> fields;
  bool selection = false;  // the closing text names the selected cells
};

// Runs the upload under the wait cursor, from the context's first row on. The person sees the
// progress and may stop between records: the record on the line is finished, the upload is closed
// with 'z' as always, and the status says how many items went. True when the register took every
// record and ended the upload; every failure has shown its message, but a failed record write,
// which ends it silently. A failure or a stop with rows left sets the context's resume row.
bool RunUpload(TransferContext& context, grid::CellTable& grid, const UploadPlan& plan);

// Sends one record (status "Sending line number", the frame, its acknowledgement). A write that
// fails returns false without a message, but for a line that has hung up; a bad acknowledgement
// has shown its own.
bool SendRecord(link::Channel& channel, char letter, int row, const std::string& fields);

}  // namespace nuvrel::transfers
