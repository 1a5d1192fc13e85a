// SPDX-License-Identifier: MIT
// The articles report download: command 'f', then one line per article the register holds, stored
// into the Articles report sheet at the row of the article's number.
#pragma once

#include <string_view>

#include "grid/cell_table.h"
#include "transfers/transfer_context.h"

namespace nuvrel::app {
class Ui;
}

namespace nuvrel::transfers {

// The article numbers a report line can store.
inline constexpr int kReportArticleRows = 2400;

// Stores the nine fields of an articles report line into the row (see report_layout.h for what each
// field becomes) and scrolls the row's name into view. Writes nothing when any field is cut short
// or the row is not a data row of the sheet (1..2400).
void StoreArticleRecord(app::Ui& ui, grid::CellTable& grid, std::string_view line, int row);

// Opens the port, identifies the register, sends 'f' and stores every article line of the report
// into the grid (which the caller has emptied), showing "Read item %u" for each. A line of 66 bytes
// or fewer ends the report: "Successfully read %u items", true. False when the port, the
// identification or the command fails, or when a line does not come: its message is shown, the
// status tells how many articles arrived before, and the cells stored so far stay.
bool DownloadArticlesReport(TransferContext& ctx, grid::CellTable& grid);

}  // namespace nuvrel::transfers
