// SPDX-License-Identifier: MIT
#include "sheets/workspace.h"

#include "sheets/layouts.h"

namespace nuvrel::sheets {

Workspace::Workspace(const grid::TextMeasurer* measurer) {
  for (const SheetInfo& info : GridSheets()) {
    auto table = std::make_unique<grid::CellTable>(measurer);
    SetupSheet(info.id, *table);
    m_grids[static_cast<std::size_t>(Index(info.id))] = std::move(table);
  }
}

bool Workspace::AnyModified() const {
  for (const auto& grid : m_grids) {
    if (grid->GetModified()) return true;
  }
  return false;
}

}  // namespace nuvrel::sheets
