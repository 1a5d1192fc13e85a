// SPDX-License-Identifier: MIT
// What the grid draws, read back from the pixels: a very long text, the focus frame, the selection
// and the sunken focus headers.
#include <QImage>

#include "grid_widget_fixture.h"

namespace nuvrel::gui::testing {
namespace {

using sheets::articles::kBarcode;
using sheets::articles::kName;
using sheets::articles::kPrice;

class GridPaint : public GridWidgetFixture {
 protected:
  QImage Shot() { return grid.viewport()->grab().toImage(); }
  QRgb At(const QImage& image, QPoint p) { return image.pixel(p); }
  QRgb Role(QPalette::ColorRole role) { return grid.viewport()->palette().color(role).rgb(); }
};

TEST_F(GridPaint, AVeryLongTextDrawsItsStartAsAShorterOneThatAlsoOverflows) {
  // Cyrillic and Latin, wider than the cell but short enough to be drawn whole; then the same
  // followed by a megabyte: both cells must look alike, start and ellipsis.
  std::string overflowing;
  while (overflowing.size() < 100) overflowing.append("\xD1\xE8\xF0 Jogurt 1kg, ");
  std::string veryLong = overflowing;
  veryLong.append(1 << 20, 'x');
  Focus(9, kName);
  for (int col : {kName, kPrice}) {  // left and right aligned
    table.SetItemText(1, col, overflowing);
    const QRect cell = grid.CellRect(1, col);
    const QImage expected = Shot().copy(cell);
    // Row 3 is empty and of the same colour.
    ASSERT_NE(expected, Shot().copy(grid.CellRect(3, col))) << col << ": nothing drawn";
    table.SetItemText(1, col, veryLong);
    EXPECT_EQ(Shot().copy(cell), expected) << col;
  }
}

TEST_F(GridPaint, TheFocusCellIsFramedTheSelectionHighlightedItsHeadersSunken) {
  Click(3, kBarcode);
  Click(4, kBarcode, Qt::ShiftModifier);
  const QImage image = Shot();
  const QRect selected = grid.CellRect(3, kBarcode);
  const QRect focused = grid.CellRect(4, kBarcode);
  EXPECT_EQ(At(image, selected.topLeft() + QPoint(3, 3)), Role(QPalette::Highlight));
  EXPECT_EQ(At(image, focused.topLeft() + QPoint(3, 3)), Role(QPalette::Highlight));
  EXPECT_EQ(At(image, focused.topLeft()), Role(QPalette::Text));
  EXPECT_EQ(At(image, selected.topLeft()), Role(QPalette::Highlight));

  // Raised headers are light at the top left; those of the focus cell's column and row are dark.
  EXPECT_EQ(At(image, grid.CellRect(0, kBarcode).topLeft() + QPoint(3, 0)), Role(QPalette::Dark));
  EXPECT_EQ(At(image, grid.CellRect(4, 0).topLeft() + QPoint(3, 0)), Role(QPalette::Dark));
  EXPECT_EQ(At(image, grid.CellRect(0, kPrice).topLeft() + QPoint(3, 0)), Role(QPalette::Light));
  EXPECT_EQ(At(image, grid.CellRect(3, 0).topLeft() + QPoint(3, 0)), Role(QPalette::Light));
}

}  // namespace
}  // namespace nuvrel::gui::testing
