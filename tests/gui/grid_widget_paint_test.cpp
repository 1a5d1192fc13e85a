// SPDX-License-Identifier: MIT
// What the grid draws, read back from the pixels: zebra rows, grid lines, the area past the
// cells, alignment of the text, a very long text, the focus frame, the selection and the sunken
// focus headers.
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
  // The x range of the dark (text) pixels inside a rectangle; {-1, -1} when there are none.
  std::pair<int, int> InkColumns(const QImage& image, const QRect& rect) {
    std::pair<int, int> ink{-1, -1};
    for (int x = rect.left(); x <= rect.right(); ++x) {
      for (int y = rect.top(); y <= rect.bottom(); ++y) {
        if (image.pixelColor(x, y).lightness() < 100) {
          if (ink.first < 0) ink.first = x;
          ink.second = x;
          break;
        }
      }
    }
    return ink;
  }
};

TEST_F(GridPaint, ZebraRowsGridLinesAndTheDarkAreaPastTheLastColumn) {
  for (int col = kBarcode; col < table.GetColumnCount(); ++col) table.SetColumnWidth(col, 40);
  Focus(9, kName);
  const QImage image = Shot();
  const QRect odd = grid.CellRect(1, kPrice);
  const QRect even = grid.CellRect(2, kPrice);
  EXPECT_EQ(At(image, odd.topLeft() + QPoint(3, 3)), Role(QPalette::Base));
  EXPECT_EQ(At(image, even.topLeft() + QPoint(3, 3)), qRgb(255, 255, 224));
  EXPECT_EQ(At(image, QPoint(odd.right(), odd.center().y())), qRgb(192, 192, 192));
  EXPECT_EQ(At(image, QPoint(odd.center().x(), odd.bottom())), qRgb(192, 192, 192));
  const int pastCells = grid.CellRect(1, table.GetColumnCount() - 1).right() + 5;
  EXPECT_EQ(At(image, QPoint(pastCells, odd.center().y())), Role(QPalette::Dark));
  EXPECT_EQ(At(image, grid.CellRect(0, kPrice).center() + QPoint(0, 5)), Role(QPalette::Button));
}

TEST_F(GridPaint, PricesStandAtTheRightNamesAtTheLeftBarcodesInTheMiddle) {
  table.SetItemText(1, kName, "Sir");
  table.SetItemText(1, kPrice, "1.00");
  table.SetItemText(1, kBarcode, "1");
  Focus(9, kName);
  const QImage image = Shot();
  const QRect name = grid.CellRect(1, kName);
  const QRect price = grid.CellRect(1, kPrice);
  const QRect barcode = grid.CellRect(1, kBarcode);
  const int margin = table.DefaultCellFor(1, kName).Margin();

  const auto nameInk = InkColumns(image, name.adjusted(0, 1, -1, -1));
  ASSERT_GE(nameInk.first, 0);
  EXPECT_GE(nameInk.first, name.left() + margin - 1);
  EXPECT_LT(nameInk.second, name.center().x());

  const auto priceInk = InkColumns(image, price.adjusted(0, 1, -1, -1));
  ASSERT_GE(priceInk.first, 0);
  EXPECT_GT(priceInk.first, price.center().x());
  EXPECT_LE(priceInk.second, price.right() - margin);

  const auto barcodeInk = InkColumns(image, barcode.adjusted(0, 1, -1, -1));
  ASSERT_GE(barcodeInk.first, 0);
  EXPECT_NEAR((barcodeInk.first + barcodeInk.second) / 2, barcode.center().x(), 8);
}

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
