// SPDX-License-Identifier: MIT
// The five uploads, each for the whole sheet or for its selected cells. Every one checks the sheet
// first, opens COM(comPortIndex + 1), identifies the register, sends 'a', one record per row, 'z',
// and awaits the upload end packet. Progress ("Sending line number %u") and the closing text go to
// the status bar; each failure shows one message (a record that cannot be written: none) and the
// status then says how many items went. All return true when the register took everything.
#pragma once

#include <optional>
#include <string>

#include "grid/cell_table.h"
#include "sheets/sheet_id.h"
#include "transfers/article_fields.h"
#include "transfers/transfer_context.h"
#include "transfers/upload_sequence.h"

namespace nuvrel::transfers {

// Rows 1 to 2400; a row with all seven cells empty is not sent. The closing text counts the records
// sent.
bool UploadArticles(TransferContext& context, grid::CellTable& grid);
// Every row with a selected cell, '"' in the fields of the cells not selected; closes with
// "Selected cells successfully sent: %u items".
bool UploadSelectedArticles(TransferContext& context, grid::CellTable& grid);

// The one-column sheets: the whole sheet sends the rows with text, the selection the rows whose
// cell is selected (an empty one as blanks). The closing text counts the records sent.
bool UploadOperators(TransferContext& context, grid::CellTable& grid);
bool UploadSelectedOperators(TransferContext& context, grid::CellTable& grid);
bool UploadDepartments(TransferContext& context, grid::CellTable& grid);
bool UploadSelectedDepartments(TransferContext& context, grid::CellTable& grid);
bool UploadFirmData(TransferContext& context, grid::CellTable& grid);
bool UploadSelectedFirmData(TransferContext& context, grid::CellTable& grid);
bool UploadAdvertisement(TransferContext& context, grid::CellTable& grid);
bool UploadSelectedAdvertisement(TransferContext& context, grid::CellTable& grid);

// The upload of a programmable sheet, whole or its selection; false for the report sheets, which
// are never sent.
bool UploadSheet(TransferContext& context, sheets::SheetId id, grid::CellTable& grid,
                 bool selectionOnly);

// The upload plan of a programmable sheet over the grid (which it keeps a reference to), whole or
// its selection; nothing for the report sheets.
std::optional<UploadPlan> PlanFor(sheets::SheetId id, grid::CellTable& grid, bool selectionOnly);

}  // namespace nuvrel::transfers
