// SPDX-License-Identifier: MIT
// The articles report download: command 'f', then one line per article the register holds, stored
// into the Articles report sheet at the row of the article's number.
#pragma once

#include <string_view>

#include "grid/cell_table.h"
#include "transfers/report_line.h"
#include "transfers/transfer_context.h"

namespace nuvrel::app {
class Ui;
}

namespace nuvrel::transfers {

// The article numbers a report line can store.
inline constexpr int kReportArticleRows = 2400;

// What storing the line into the row would do: nothing (no data row, or a field cut short), or
// write a whole record, or a damaged one: a barcode that is not all digits, or a price, turnover,
// sales or stock that is no decimal number.
RecordCheck CheckArticleRecord(const grid::CellTable& grid, std::string_view line, int row);

// Stores the nine fields of an articles report line into the row (see report_layout.h for what each
// field becomes) and scrolls the row's name into view. Writes nothing when any field is cut short
// or the row is not a data row of the sheet (1..2400).
void StoreArticleRecord(app::Ui& ui, grid::CellTable& grid, std::string_view line, int row);

// Opens the port, identifies the register, sends 'f' and reads the report, showing "Read item %u"
// and the progress for each article line and asking after each line whether to stop. A line of 66
// bytes or fewer ends the report: only then is the grid emptied and every article stored at the
// row of its number, what the register holds of its articles recorded (register_memory.h),
// "Successfully read %u items", true. False, with the grid untouched, when the
// port, the identification or the command fails, when a line does not come (its message, and the
// status tells how many articles arrived before), when a line that would be stored is damaged
// (a message naming the line and its article), or when the person stops it (a status saying so).
bool DownloadArticlesReport(TransferContext& ctx, grid::CellTable& grid);

}  // namespace nuvrel::transfers
