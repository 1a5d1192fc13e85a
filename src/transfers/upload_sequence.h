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
#include "transfers/register_memory.h"
#include "transfers/transfer_context.h"

namespace nuvrel::transfers {

class RegisterSession;

struct UploadPlan {
  // The check before the port opens; it shows its own message.
  bool (*validate)(app::Ui&, grid::CellTable&) = nullptr;
  sheets::SheetId sheet = sheets::SheetId::Articles;
  char letter = 0;
  int rows = 0;        // rows 1..rows, as far as the sheet has them
  int lastColumn = 1;  // the record carries the row's cells 1..lastColumn
  // The fields of a row's record after the letter; none when the row is skipped.
  std::function<std::optional<std::string>(int row)> fields;
  // Whether a sent record sets the cell's field on the register (rather than leaving it as the
  // register has it).
  std::function<bool(int row, int col)> sets;
  // What is being sent: the closing text and the recorded state say so.
  StateSource source = StateSource::Sent;
};

// Runs the upload under the wait cursor, from the context's first row on. The person sees the
// progress and may stop between records: the record on the line is finished, the upload is closed
// with 'z' as always, and the status says how many items went. True when the register took every
// record and ended the upload; every failure has shown its message, but a failed record write,
// which ends it silently. A failure or a stop with rows left sets the context's resume row.
// Once the register has acknowledged records, what it now holds is recorded (the fields those
// records set, over what it held before), also when the upload fails or is stopped later.
bool RunUpload(TransferContext& context, grid::CellTable& grid, const UploadPlan& plan);

// The same from 'a' on, over a session already open and identified, the sheet already checked.
bool SendPlannedRecords(RegisterSession& session, TransferContext& context, grid::CellTable& grid,
                        const UploadPlan& plan);

// Sends one record (status "Sending line number", the frame, its acknowledgement). A write that
// fails returns false without a message, but for a line that has hung up; a bad acknowledgement
// has shown its own.
bool SendRecord(link::Channel& channel, char letter, int row, const std::string& fields);

}  // namespace nuvrel::transfers
