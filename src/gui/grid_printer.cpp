// SPDX-License-Identifier: MIT
#include "gui/grid_printer.h"

#include <QColor>
#include <QDateTime>
#include <QFontMetrics>
#include <QLine>
#include <QList>
#include <QLocale>
#include <QPageLayout>
#include <QPageRanges>
#include <QPageSize>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QRect>
#include <algorithm>
#include <string>
#include <utility>

#include "app/format.h"
#include "app/strings.h"
#include "gui/grid_painter.h"
#include "gui/text_codec.h"

namespace nuvrel::gui {
namespace {

using grid::Colour;
using grid::Rgb;

// Not in the string table: the page footer has always been printed in English.
constexpr const char* kPageOfPages = "Page %d of %d";

// What a fixed cell prints on when neither it nor its default cell has a background: the face
// colour of buttons, as headings look on screen.
constexpr Rgb kFaceColour(212, 208, 200);
constexpr Rgb kBlack(0, 0, 0);

// Line widths in logical units (a few tenths of a millimetre on A4): the grid fine, the rules
// under the page header and over the footer a little heavier.
constexpr qreal kGridLineWidth = 0.5;
constexpr qreal kRuleWidth = 1.0;

QColor ToQColor(Rgb c) {
  return QColor(c.red, c.green, c.blue);
}

QFont Bold(QFont font) {
  font.setWeight(QFont::Bold);
  return font;
}

// Draws a text on the left and one on the right of a band, vertically centred. The left-hand text
// keeps its place; the right-hand one is shortened with an ellipsis when both would not fit.
void DrawLeftAndRight(QPainter& painter, const QRect& band, const QString& left,
                      const QString& right, int gap) {
  const QFontMetrics metrics(painter.font(), painter.device());
  const int room = std::max(0, band.width() - metrics.horizontalAdvance(left) - gap);
  painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, left);
  painter.drawText(band, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                   metrics.elidedText(right, Qt::ElideRight, room));
}

}  // namespace

Rgb GrayscaleTextColour(Rgb colour) {
  // Integer shares keep the truncation exact (0.59 has no exact binary form).
  return Rgb(colour.red * 30 / 100, colour.green * 59 / 100, colour.blue * 11 / 100);
}

PrintColours CellPrintColours(const grid::CellTable& table, int row, int col, bool twoColours) {
  PrintColours colours;
  const grid::GridCell* cell = table.GetCell(row, col);
  if (!cell) return colours;
  const grid::DefaultCell& def = table.DefaultCellFor(row, col);
  const Colour own = cell->GetBackColour();
  const bool hasOwnBack = own != grid::kDefaultColour;

  if (table.IsFixed(row, col)) {
    colours.back = (hasOwnBack ? own : def.GetBackColour()).value_or(kFaceColour);
  } else if (hasOwnBack && own != def.GetBackColour()) {
    colours.back = own;
  }

  const Rgb text = (hasOwnBack ? cell->GetTextColour() : def.GetTextColour()).value_or(kBlack);
  colours.text = twoColours && !colours.back ? GrayscaleTextColour(text) : text;
  return colours;
}

GridPrinter::GridPrinter(const grid::CellTable& table, QString header)
    : m_table(table), m_header(std::move(header)) {}

void GridPrinter::OnBeginPrinting(QPainter& painter, QPrinter& printer) {
  LayOut(painter.device(), printer);
}

int GridPrinter::CountPages(QPrinter& printer) {
  LayOut(&printer, printer);
  const int pages = PageCount();
  OnEndPrinting();
  return pages;
}

void GridPrinter::LayOut(const QPaintDevice* device, const QPrinter& printer) {
  // The page is scaled so that the grid and its margins fill the paper's width; the font is given
  // in those logical units, so the text keeps its size relative to the cells whatever the paper.
  m_font = QFont(QStringLiteral("Arial"));
  m_font.setPixelSize(10);
  m_font.setWeight(QFont::Normal);

  const QFontMetrics metrics(m_font, device);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"));
  const grid::Size charSize = grid::CharacterSize(letters, metrics.height());

  const QRect paper = printer.pageLayout().paintRectPixels(printer.resolution());
  m_grayscale = printer.colorMode() == QPrinter::GrayScale;
  // The empty rows below the last one that holds data would print as blank pages.
  m_layout = grid::ComputePageLayout(m_table, charSize, {paper.width(), paper.height()},
                                     grid::RowsToPrint(m_table));
  m_visible.emplace(metrics);
}

void GridPrinter::OnPrint(QPainter& painter, int page) {
  if (!m_layout) return;
  const grid::PageLayout& layout = *m_layout;
  page = std::clamp(page, 1, layout.pageCount);

  painter.save();
  painter.setWindow(-grid::kPrintLeftMarginChars * layout.charWidth, 0, layout.logicalWidth,
                    layout.logicalHeight);
  painter.setViewport(0, 0, layout.paperWidth, layout.paperHeight);
  painter.setFont(m_font);

  PrintHeader(painter);

  const int fixedRows = m_table.GetFixedRowCount();
  const int fixedCols = m_table.GetFixedColumnCount();
  const grid::CellRange cells = grid::PageCells(m_table, layout, page);
  const int lastCol = cells.IsValid() ? cells.maxCol : fixedCols - 1;
  const int firstRow = grid::FirstRowOfPage(layout, page);
  const int endRow =
      page < layout.pageCount ? grid::FirstRowOfPage(layout, page + 1) : layout.rowEnd;

  int y = (grid::kPrintHeaderLines + grid::kPrintGapLines) * layout.charHeight;
  bool first = true;
  QList<QLine> gridLines;
  auto printRow = [&](int row) {
    const int height = PrintRow(painter, row, fixedCols, lastCol, y, first, gridLines);
    if (height > 0) first = false;
    y += height;
  };
  for (int row = 0; row < fixedRows; ++row) printRow(row);
  for (int row = firstRow; row < endRow; ++row) printRow(row);
  // The lines go on last: a shaded cell would cover the edge its neighbour above or left drew.
  painter.setPen(QPen(Qt::black, kGridLineWidth));
  painter.drawLines(gridLines);

  PrintFooter(painter, page);
  painter.restore();
}

void GridPrinter::OnEndPrinting() {
  m_layout.reset();
  m_visible.reset();
}

int GridPrinter::PrintRow(QPainter& painter, int row, int firstCol, int lastCol, int y,
                          bool firstRow, QList<QLine>& gridLines) const {
  const int height = m_table.GetRowHeight(row);
  if (height <= 0) return 0;
  int x = 0;
  auto printCell = [&](int col) {
    const int width = m_table.GetColumnWidth(col);
    if (width <= 0) return;
    PrintCell(painter, row, col, QRect(x, y, width, height));
    // Every cell has its bottom and right edge; the first row and column close the top and left.
    gridLines.append(QLine(x, y + height, x + width, y + height));
    gridLines.append(QLine(x + width, y, x + width, y + height));
    if (firstRow) gridLines.append(QLine(x, y, x + width, y));
    if (x == 0) gridLines.append(QLine(x, y, x, y + height));
    x += width;
  };
  for (int col = 0; col < m_table.GetFixedColumnCount(); ++col) printCell(col);
  for (int col = firstCol; col <= lastCol; ++col) printCell(col);
  return height;
}

void GridPrinter::PrintCell(QPainter& painter, int row, int col, const QRect& rect) const {
  const grid::GridCell* cell = m_table.GetCell(row, col);
  if (!cell) return;
  const PrintColours colours = CellPrintColours(m_table, row, col, m_grayscale);
  if (colours.back) painter.fillRect(rect, ToQColor(*colours.back));

  const std::string_view bytes = cell->DisplayText();
  if (bytes.empty()) return;
  const int margin = m_layout->charWidth / 2;
  const QRect textRect = rect.adjusted(margin, 0, -margin, 0);
  if (textRect.width() <= 0) return;
  const Qt::Alignment alignment = HorizontalAlignment(cell->GetFormat());
  painter.setPen(ToQColor(colours.text));
  // drawText clips a text that does not fit to its rectangle; only what can show is laid out.
  painter.drawText(textRect, static_cast<int>(alignment | Qt::AlignVCenter | Qt::TextSingleLine),
                   m_visible->Of(bytes, textRect.width(), alignment));
}

void GridPrinter::PrintHeader(QPainter& painter) const {
  const grid::PageLayout& layout = *m_layout;
  const int width = layout.logicalWidth -
                    (grid::kPrintLeftMarginChars + grid::kPrintRightMarginChars) * layout.charWidth;
  const QRect band(0, 0, width, grid::kPrintHeaderLines * layout.charHeight);

  painter.save();
  painter.setFont(Bold(m_font));
  painter.setPen(Qt::black);
  const QFontMetrics metrics(painter.font(), painter.device());
  const QString appTitle = FromUtf8(app::Text(app::Sid::AppTitle));
  const int appWidth = metrics.horizontalAdvance(appTitle);
  painter.drawText(band, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, appTitle);

  // The sheet's name and file are centred on the page; on a narrow sheet they move left, and are
  // shortened when need be, rather than run into the application title.
  const int gap = 2 * layout.charWidth;
  const int room = std::max(0, band.width() - appWidth - gap);
  const QString title = metrics.elidedText(m_header, Qt::ElideRight, room);
  const int titleWidth = metrics.horizontalAdvance(title);
  const int titleLeft = std::min((band.width() - titleWidth) / 2, room - titleWidth);
  const QRect titleRect = band.adjusted(std::max(0, titleLeft), 0, 0, 0);
  painter.drawText(titleRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, title);

  painter.setPen(QPen(Qt::black, kRuleWidth));
  painter.drawLine(band.left(), band.bottom() + 1, band.right() + 1, band.bottom() + 1);
  painter.restore();
}

void GridPrinter::PrintFooter(QPainter& painter, int page) const {
  const grid::PageLayout& layout = *m_layout;
  const int width = layout.logicalWidth -
                    (grid::kPrintLeftMarginChars + grid::kPrintRightMarginChars) * layout.charWidth;
  const int height = grid::kPrintFooterLines * layout.charHeight;
  const QRect band(0, layout.logicalHeight - height, width, height);

  painter.save();
  painter.setPen(QPen(Qt::black, kRuleWidth));
  painter.drawLine(band.left(), band.top(), band.right() + 1, band.top());
  painter.setFont(Bold(m_font));
  const QString pages = QString::fromStdString(app::Format(kPageOfPages, {page, layout.pageCount}));
  const QString date = QLocale().toString(QDateTime::currentDateTime(), QLocale::LongFormat);
  DrawLeftAndRight(painter, band, pages, date, 2 * layout.charWidth);
  painter.restore();
}

bool GridPrinter::PrintToPdf(const QString& path) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setDocName(m_header);
  return Print(printer);
}

bool GridPrinter::Print(QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  OnBeginPrinting(painter, printer);
  // The print dialog's "Pages" ("2-3", "1,4-5") arrive as the printer's page ranges.
  const QPageRanges ranges =
      printer.printRange() == QPrinter::PageRange ? printer.pageRanges() : QPageRanges();
  auto wanted = [&](int page) { return ranges.isEmpty() || ranges.contains(page); };
  bool ok = true;
  bool first = true;
  for (int page = 1; page <= PageCount() && ok; ++page) {
    if (!wanted(page)) continue;
    if (!first) ok = printer.newPage();
    if (ok) OnPrint(painter, page);
    first = false;
  }
  OnEndPrinting();
  return painter.end() && ok;
}

}  // namespace nuvrel::gui
