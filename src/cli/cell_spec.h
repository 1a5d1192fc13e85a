// SPDX-License-Identifier: MIT
// The CELLS of --select: ROW[-ROW][:COL[-COL]] in grid coordinates (row 1 and column 1 are the
// first data row and column); without :COL the row's data columns.
#pragma once

#include <optional>
#include <string_view>

#include "grid/types.h"

namespace nuvrel::cli {

// The range the text names, with maxCol = -1 standing for "to the last column"; nothing when the
// text is not of that form or names row or column 0.
std::optional<grid::CellRange> ParseCellSpec(std::string_view text);

}  // namespace nuvrel::cli
