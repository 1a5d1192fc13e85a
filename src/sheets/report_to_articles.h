// SPDX-License-Identifier: MIT
// Report to articles: the Articles report read from the register becomes the Articles sheet, so the
// articles can be edited and sent back.
#pragma once

#include <string_view>

#include "grid/cell_table.h"

namespace nuvrel::app {
class Ui;
}

namespace nuvrel::sheets {

// Asks whether to go on (No is the default; `note`, when given, is added to the question on a line
// of its own); on Yes empties the Articles sheet and copies the report's article columns (name to
// in stock) into it, row for row, through the Articles cells' own rules. Turnover and sales are not
// copied. Returns whether it copied.
bool ReportToArticles(app::Ui& ui, grid::CellTable& articles, const grid::CellTable& report,
                      std::string_view note = {});

}  // namespace nuvrel::sheets
