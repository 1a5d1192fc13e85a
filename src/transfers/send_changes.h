// SPDX-License-Identifier: MIT
// Send changes: the register is identified, the sheet compared with what that register is known to
// hold (register_memory.h, sheet_differences.h), and only the rows with a differing cell are sent,
// as a selection of the differing cells is: every other field of those rows goes as "no value", so
// the register keeps what it has there.
#pragma once

#include "grid/cell_table.h"
#include "sheets/sheet_id.h"
#include "transfers/transfer_context.h"

namespace nuvrel::transfers {

enum class ChangesOutcome {
  Sent,            // the register took every changed row ("Changes sent: %u items")
  NothingChanged,  // nothing was sent; the status says so
  NothingKnown,    // nothing is recorded of this register's sheet: nothing was sent, nothing said
  Failed,          // as a failed upload: its message shown, what the register took recorded
};

// Opens the port and identifies the register (their failures end it as an upload's do), compares,
// checks the changed cells as a selection upload does and sends them under the wait cursor. The
// grid's selection is as it was afterwards. A programmable sheet only; Failed for another.
ChangesOutcome SendChanges(TransferContext& context, sheets::SheetId id, grid::CellTable& grid);

}  // namespace nuvrel::transfers
