// SPDX-License-Identifier: MIT
// The sheets laid out in the real sheet font have the column widths that measuring every row gives.
#include <gtest/gtest.h>

#include "grid_widget_fixture.h"
#include "sheets/sheet_id.h"

namespace nuvrel::gui::testing {
namespace {

TEST(SheetWidths, TheLabelColumnIsAsWideAsItsWidestLabelInTheSheetFont) {
  for (const sheets::SheetInfo& info : sheets::GridSheets()) {
    MeasuredSheet sheet(info.id);
    const int width = sheet.table.GetColumnWidth(0);
    sheet.table.AutoSizeColumn(0);
    EXPECT_EQ(width, sheet.table.GetColumnWidth(0)) << static_cast<int>(info.id);
  }
}

}  // namespace
}  // namespace nuvrel::gui::testing
