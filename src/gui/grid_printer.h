// SPDX-License-Identifier: MIT
// Printing a grid sheet: the page header with the sheet's name and file and the application title,
// the column headings and row labels on every page, the cells with their shading and grid lines,
// and the footer with the page number and the date. The print and print-preview jobs call the three
// steps.
#pragma once

#include <QFont>
#include <QLine>
#include <QList>
#include <QString>
#include <optional>

#include "grid/cell_table.h"
#include "grid/page_layout.h"
#include "grid/types.h"
#include "gui/visible_text.h"

class QPaintDevice;
class QPainter;
class QPrinter;
class QRect;

namespace nuvrel::gui {

// The text colour a cell without a background prints in on a printer of two colours: each channel
// scaled by its share of the luminance (red 30 %, green 59 %, blue 11 %), truncated.
grid::Rgb GrayscaleTextColour(grid::Rgb colour);

// The colours a cell prints in: a background (none leaves the paper blank) and the text colour.
struct PrintColours {
  std::optional<grid::Rgb> back;
  grid::Rgb text;
  friend bool operator==(const PrintColours&, const PrintColours&) = default;
};

// The colours of cell (row, col) in a shaded print-out. A fixed cell always has a background: its
// own, its default cell's, or a light grey face. A data cell is shaded only where its own
// background differs from its default cell's (so zebra rows print shaded). The text takes the
// cell's own colour when the cell has its own background, else its default cell's, black for
// neither; `twoColours` (a black-and-white printer) scales the text colour of an unshaded cell by
// GrayscaleTextColour.
PrintColours CellPrintColours(const grid::CellTable& table, int row, int col, bool twoColours);

class GridPrinter {
 public:
  // Prints `table`, which must outlive the printer; `header` (the sheet and its file) heads every
  // page.
  GridPrinter(const grid::CellTable& table, QString header);

  // Chooses the printer font on the painter's device and lays the grid out on the printer's paper,
  // up to the last row that holds data.
  void OnBeginPrinting(QPainter& painter, QPrinter& printer);
  // Draws page `page` (1-based) of the layout made by OnBeginPrinting; nothing without one.
  void OnPrint(QPainter& painter, int page);
  // Forgets the layout.
  void OnEndPrinting();

  // The number of pages of the current layout; 0 outside a print job.
  int PageCount() const { return m_layout ? m_layout->pageCount : 0; }
  // The current layout, for callers that show or check it.
  const std::optional<grid::PageLayout>& Layout() const { return m_layout; }

  // The number of pages the sheet takes on the printer's paper, outside a print job.
  int CountPages(QPrinter& printer);
  // Runs a whole print job on the printer: the pages of its page range when the person chose one,
  // else every page. False when the printer cannot start or a page cannot be begun.
  bool Print(QPrinter& printer);

  // Prints every page to a PDF file on A4 portrait paper. False when the file cannot be written.
  bool PrintToPdf(const QString& path);

 private:
  // Draws the fixed cells and the cells [firstCol, lastCol] of one row at height y, adds their
  // edges to gridLines, and returns the row's height.
  int PrintRow(QPainter& painter, int row, int firstCol, int lastCol, int y, bool firstRow,
               QList<QLine>& gridLines) const;
  void PrintCell(QPainter& painter, int row, int col, const QRect& rect) const;
  void PrintHeader(QPainter& painter) const;
  void PrintFooter(QPainter& painter, int page) const;

  void LayOut(const QPaintDevice* device, const QPrinter& printer);

  const grid::CellTable& m_table;
  QString m_header;
  QFont m_font;
  bool m_grayscale = false;
  std::optional<grid::PageLayout> m_layout;
  std::optional<VisibleText> m_visible;  // in the printer font, from OnBeginPrinting on
};

}  // namespace nuvrel::gui
